<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TavroBox</name>
    <message>
        <source>User Name</source>
        <translation>Identifiant</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Remember me</source>
        <translation>Se souvenir de moi</translation>
    </message>
    <message>
        <source>John Doe</source>
        <translation>Jean Dupont</translation>
    </message>
    <message>
        <source>password</source>
        <translation>mot de passe</translation>
    </message>
    <message>
        <source>remembered password</source>
        <translation>mot de passe mémorisé</translation>
    </message>
    <message>
        <source>In progress...</source>
        <translation>Connexion en cours...</translation>
    </message>
    <message>
        <source>Bad Login or Password</source>
        <translation>Identifiant ou mot de passe incorrect</translation>
    </message>
    <message>
        <source>The service could not be reached</source>
        <translation>Le service est injoignable, réessayez plus tard</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Service Unavailable</source>
        <translation>Service indisponible</translation>
    </message>
    <message>
        <source>The remote resource is unavailable. Please try again later.</source>
        <translation>Le service distant est indisponible. Veuillez réessayer plus tard.</translation>
    </message>
    <message>
        <source>MYHOME</source>
        <translation>MA MAISON</translation>
    </message>
    <message>
        <source>FAVORITES</source>
        <translation>MES FAVORIS</translation>
    </message>
    <message>
        <source>MyOrHistory</source>
        <translation>MON</translation>
    </message>
    <message>
        <source>HistoryOrEmpty</source>
        <translation>HISTORIQUE</translation>
    </message>
    <message>
        <source>SAFETY</source>
        <translation>SÉCURITÉ</translation>
    </message>
    <message>
        <source>SUPERVISION</source>
        <translation>SUPERVISION</translation>
    </message>
    <message>
        <source>LIGHTING</source>
        <translation>ÉCLAIRAGE</translation>
    </message>
    <message>
        <source>SHUTTERS</source>
        <translation>VOLETS</translation>
    </message>
    <message>
        <source>HEATING</source>
        <translation>CHAUFFAGE</translation>
    </message>
    <message>
        <source>CONSUMPTION</source>
        <translation>ÉNERGIES</translation>
    </message>
    <message>
        <source>WEATHER</source>
        <translation>MÉTÉO</translation>
    </message>
    <message>
        <source>Exclusively at Valdorim</source>
        <translation>Exclusivement chez Valdorim</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>Sign in</source>
        <translation>Se connecter</translation>
    </message>
    <message>
        <source>Your home at your fingertips</source>
        <translation>Votre maison, où que vous soyez</translation>
    </message>
    <message>
        <source>kTradAlertBtnOk</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>kTradAlertGatewayRefused</source>
        <translation>Votre box a refusé la commande.</translation>
    </message>
    <message>
        <source>kTradAlertGatewayOff</source>
        <translation>Votre box ne répond pas. Vérifiez qu’elle est allumée et reliée à Internet, puis réessayez.</translation>
    </message>
    <message>
        <source>kTradAlertPrivacyMode</source>
        <translation>Votre box est en mode vie privée : les caméras ne transmettent aucune image tant que ce mode est actif.</translation>
    </message>
    <message>
        <source>kTradAlertSessionTimeOut</source>
        <translation>Votre session a expiré. Veuillez vous reconnecter.</translation>
    </message>
    <message>
        <source>kTradAlertConnection4xx</source>
        <translation>La demande n’a pas pu aboutir. Vérifiez votre connexion, puis réessayez.</translation>
    </message>
    <message>
        <source>kTradAlertConnection5xx</source>
        <translation>Le service TavroBox rencontre un problème. Veuillez réessayer dans quelques instants.</translation>
    </message>
    <message>
        <source>kTradNoRecOption</source>
        <translation>Votre abonnement ne comprend pas l’option d’enregistrement vidéo.</translation>
    </message>
    <message>
        <source>kTradOfflineBanner</source>
        <translation>Service injoignable : nouvel essai en cours…</translation>
    </message>
    <message>
        <source>kTradOfflineBannerCertificate</source>
        <translation>Service injoignable : certificat refusé</translation>
    </message>
    <message>
        <source>kTradAlertOffline</source>
        <translation>Le service ne répond pas pour le moment. La commande n’a pas été envoyée ; réessayez quand le bandeau aura disparu.</translation>
    </message>
    <message>
        <source>kTradStoredBannerToday</source>
        <translation>Données de %1 · mise à jour…</translation>
    </message>
    <message>
        <source>kTradStoredBanner</source>
        <translation>Données du %1 à %2 · mise à jour…</translation>
    </message>
    <message>
        <source>kTradStoredBannerDayFormat</source>
        <translation>dd/MM</translation>
    </message>
    <message>
        <source>kTradStoredBannerUndated</source>
        <translation>Données enregistrées · mise à jour…</translation>
    </message>
    <message>
        <source>kTradChooseAccount</source>
        <translation>Choisir un compte</translation>
    </message>
    <message>
        <source>kTradOtherAccount</source>
        <translation>Autre compte</translation>
    </message>
    <message>
        <source>kTradAccounts</source>
        <translation>Comptes ›</translation>
    </message>
    <message>
        <source>kTradServer</source>
        <translation>Serveur</translation>
    </message>
    <message>
        <source>kTradServerInvalid</source>
        <translation>Serveur invalide (https:// requis)</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TavroBox</name>
    <message>
        <source>kTradEventsSummary</source>
        <translation>%1 nouveaux événements</translation>
    </message>
    <message>
        <source>kTradEventsSummaryMore</source>
        <translation>Et aussi : %1</translation>
    </message>
    <message>
        <source>kTradNotificationView</source>
        <translation>Voir</translation>
    </message>
    <message>
        <source>kTradSignInNeeded</source>
        <translation>Connexion requise</translation>
    </message>
    <message>
        <source>kTradSignInNeededText</source>
        <translation>TavroBox ne surveille plus votre maison : reconnectez-vous.</translation>
    </message>
    <message>
        <source>kTradNotificationSignIn</source>
        <translation>Se connecter</translation>
    </message>
    <message>
        <source>kTradAlarmBannerOpen</source>
        <translation>voir l’historique</translation>
    </message>
    <message>
        <source>kTradTrayOpenHome</source>
        <translation>Ma maison</translation>
    </message>
    <message>
        <source>kTradTrayOpenHistory</source>
        <translation>Mon historique</translation>
    </message>
    <message>
        <source>kTradTrayOpenSupervision</source>
        <translation>Supervision</translation>
    </message>
    <message>
        <source>kTradTrayStartFavorite</source>
        <translation>Lancer un favori</translation>
    </message>
    <message>
        <source>kTradTrayQuit</source>
        <translation>Quitter TavroBox</translation>
    </message>
    <message>
        <source>kTradTrayIntrusionTotal</source>
        <translation>Alarme intrusion : totale</translation>
    </message>
    <message>
        <source>kTradTrayIntrusionPartial</source>
        <translation>Alarme intrusion : partielle</translation>
    </message>
    <message>
        <source>kTradTrayIntrusionOff</source>
        <translation>Alarme intrusion : arrêtée</translation>
    </message>
    <message>
        <source>kTradTrayIntrusionUnknown</source>
        <translation>Alarme intrusion : inconnue</translation>
    </message>
    <message>
        <source>kTradTrayServiceUnreachable</source>
        <translation>Service injoignable</translation>
    </message>
    <message>
        <source>kTradTrayBoxOffline</source>
        <translation>Box hors ligne</translation>
    </message>
    <message>
        <source>kTradTrayBoxOnline</source>
        <translation>Box en ligne</translation>
    </message>
    <message>
        <source>kTradTrayFavoriteRunning</source>
        <translation>Favori en cours : %1</translation>
    </message>
    <message>
        <source>kTradTrayNoFavorite</source>
        <translation>Aucun favori en cours</translation>
    </message>
    <message>
        <source>kTradTrayNoNotifications</source>
        <translation>Notifications indisponibles : les alarmes ne s’afficheront pas sur le bureau</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TavroBox</name>
    <message>
        <source>SETTINGS</source>
        <translation>RÉGLAGES</translation>
    </message>
    <message>
        <source>kTradSettingsAccount</source>
        <translation>Compte</translation>
    </message>
    <message>
        <source>kTradNotSignedIn</source>
        <translation>Pas de session ouverte</translation>
    </message>
    <message>
        <source>kTradSwitchAccount</source>
        <translation>Changer de compte</translation>
    </message>
    <message>
        <source>kTradSignOut</source>
        <translation>Se déconnecter</translation>
    </message>
    <message>
        <source>kTradSignOutErase</source>
        <translation>Se déconnecter et effacer ses données</translation>
    </message>
    <message>
        <source>kTradSettingsLanguage</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>kTradLanguageFrench</source>
        <translation>Français</translation>
    </message>
    <message>
        <source>kTradLanguageEnglish</source>
        <translation>English (anglais)</translation>
    </message>
    <message>
        <source>kTradLanguageSystem</source>
        <translation>Langue du système</translation>
    </message>
    <message>
        <source>kTradLanguageNextStart</source>
        <translation>La nouvelle langue s'affichera au prochain démarrage de l'application.</translation>
    </message>
    <message>
        <source>kTradSettingsRefresh</source>
        <translation>Actualisation de l'écran ouvert</translation>
    </message>
    <message>
        <source>kTradRefreshNever</source>
        <translation>Jamais</translation>
    </message>
    <message>
        <source>kTradRefreshSeconds</source>
        <translation>Toutes les %1 s</translation>
    </message>
    <message>
        <source>kTradRefreshMinutes</source>
        <translation>Toutes les %1 min</translation>
    </message>
    <message>
        <source>kTradSettingsCertificates</source>
        <translation>Certificats acceptés</translation>
    </message>
    <message>
        <source>kTradNoPinnedCertificate</source>
        <translation>Aucun certificat accepté à la première connexion.</translation>
    </message>
    <message>
        <source>kTradForgetCertificateTitle</source>
        <translation>Oublier ce certificat ?</translation>
    </message>
    <message>
        <source>kTradForgetCertificateMessage</source>
        <translation>À la prochaine connexion à %1, son certificat vous sera présenté de nouveau.</translation>
    </message>
    <message>
        <source>kTradCancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>kTradForget</source>
        <translation>Oublier</translation>
    </message>
    <message>
        <source>kTradCertificateForgotten</source>
        <translation>Oublié</translation>
    </message>
    <message>
        <source>kTradSettingsData</source>
        <translation>Données</translation>
    </message>
    <message>
        <source>kTradEraseStoredData</source>
        <translation>Effacer les données stockées</translation>
    </message>
    <message>
        <source>kTradStoredDataErased</source>
        <translation>Les réponses enregistrées de ce compte sont effacées.</translation>
    </message>
    <message>
        <source>kTradStoredDataNotErased</source>
        <translation>Les réponses enregistrées n'ont pas pu être effacées.</translation>
    </message>
    <message>
        <source>kTradSettingsAbout</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>kTradVersion</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>kTradLicenceRoboto</source>
        <translation>Police Roboto — Apache License 2.0</translation>
    </message>
    <message>
        <source>kTradLicenceQt</source>
        <translation>Qt 6 — GNU LGPL v3</translation>
    </message>
    <message>
        <source>kTradLicenceKeychain</source>
        <translation>QtKeychain — licence BSD modifiée</translation>
    </message>
    <message>
        <source>kTradLicenceGStreamer</source>
        <translation>GStreamer, par Qt Multimedia — GNU LGPL v2.1</translation>
    </message>
    <message>
        <source>kTradSettingsAlarmCode</source>
        <translation>Code de l'alarme</translation>
    </message>
    <message>
        <source>kTradCodeChoose</source>
        <translation>Choisir un code</translation>
    </message>
    <message>
        <source>kTradCodeNone</source>
        <translation>Aucun code : l'alarme se baisse sans code</translation>
    </message>
    <message>
        <source>kTradCodeChange</source>
        <translation>Changer le code</translation>
    </message>
    <message>
        <source>kTradCodeRemove</source>
        <translation>Supprimer le code</translation>
    </message>
    <message>
        <source>kTradCodeAskAtStart</source>
        <translation>Demander au démarrage</translation>
    </message>
    <message>
        <source>kTradCodeAskAfter</source>
        <translation>Demander après, en arrière-plan :</translation>
    </message>
    <message>
        <source>kTradCodeAfterNever</source>
        <translation>Jamais</translation>
    </message>
    <message>
        <source>kTradCodeAfterMinutes</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>kTradSettingsBackground</source>
        <translation>Alarmes en arrière-plan</translation>
    </message>
    <message>
        <source>kTradBackgroundStay</source>
        <translation>Rester actif en arrière-plan</translation>
    </message>
    <message>
        <source>kTradBackgroundSession</source>
        <translation>Démarrer avec la session</translation>
    </message>
    <message>
        <source>kTradBackgroundEveryEvent</source>
        <translation>Tous les événements</translation>
    </message>
    <message>
        <source>kTradBackgroundEveryEventDetail</source>
        <translation>Modes, favoris et scénarios aussi</translation>
    </message>
    <message>
        <source>kTradBackgroundSessionFailed</source>
        <translation>Démarrage avec la session impossible : %1</translation>
    </message>
</context>
</TS>

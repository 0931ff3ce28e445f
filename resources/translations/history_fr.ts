<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TavroBox</name>
    <message>
        <source>MYHISTORY</source>
        <translation>MON HISTORIQUE</translation>
    </message>
    <message>
        <source>You do not have history.</source>
        <translation>Vous n'avez pas encore d'historique.</translation>
    </message>
    <message>
        <source>The</source>
        <translation>Le</translation>
    </message>
    <message>
        <source>At</source>
        <translation>à</translation>
    </message>
    <message>
        <source>TranslateOpenAlert</source>
        <translation>Alerte ouverture</translation>
    </message>
    <message>
        <source>TranslateMoveAlert</source>
        <translation>Alerte mouvement</translation>
    </message>
    <message>
        <source>TranslateGlassBreakageAlert</source>
        <translation>Alerte bris de vitre</translation>
    </message>
    <message>
        <source>TranslateGasAlert</source>
        <translation>Alerte fuite de gaz</translation>
    </message>
    <message>
        <source>TranslateMonoxideAlert</source>
        <translation>Alerte monoxyde</translation>
    </message>
    <message>
        <source>TranslateWaterAlert</source>
        <translation>Alerte inondation</translation>
    </message>
    <message>
        <source>TranslatePowerFailureAlert</source>
        <translation>Alerte coupure secteur</translation>
    </message>
    <message>
        <source>TranslateFireAlert</source>
        <translation>Alerte incendie</translation>
    </message>
    <message>
        <source>TranslateHelpSosAlert</source>
        <translation>Alerte SOS</translation>
    </message>
    <message>
        <source>TranslateOtherAlert</source>
        <translation>Alerte</translation>
    </message>
    <message>
        <source>TranslateOtherEvent</source>
        <translation>Événement de la box</translation>
    </message>
    <message>
        <source>TranslateAlertNotSend</source>
        <translation>Alerte non transmise</translation>
    </message>
    <message>
        <source>TranslateTriggerBy</source>
        <translation>Déclenchée par</translation>
    </message>
    <message>
        <source>TranslateChangeOfMode</source>
        <translation>Changement de mode</translation>
    </message>
    <message>
        <source>TranslateByRemote</source>
        <translation>Par la télécommande</translation>
    </message>
    <message>
        <source>TranslateOfInfoType</source>
        <translation>Pour information</translation>
    </message>
    <message>
        <source>TranslateInfoTear</source>
        <translation>Autoprotection déclenchée</translation>
    </message>
    <message>
        <source>TranslateLowSensorBatt</source>
        <translation>Pile faible du détecteur</translation>
    </message>
    <message>
        <source>TranslateUnreachableSensor</source>
        <translation>Détecteur injoignable</translation>
    </message>
    <message>
        <source>TranslateReachedSensor</source>
        <translation>Détecteur de retour</translation>
    </message>
    <message>
        <source>TranslateReconnectYourStation</source>
        <translation>Box reconnectée</translation>
    </message>
    <message>
        <source>TranslateByGsmLink</source>
        <translation>Par la liaison GSM</translation>
    </message>
    <message>
        <source>TranslateByBroadbandLink</source>
        <translation>Par la liaison Internet</translation>
    </message>
    <message>
        <source>TranslateLossOfPower</source>
        <translation>Coupure d'alimentation</translation>
    </message>
    <message>
        <source>TranslateOfYourStation</source>
        <translation>De votre box</translation>
    </message>
    <message>
        <source>TranslateStationPowerUp</source>
        <translation>Box sous tension</translation>
    </message>
    <message>
        <source>TranslateStationLowBatt</source>
        <translation>Batterie de la box faible</translation>
    </message>
    <message>
        <source>TranslateConnectingStation</source>
        <translation>Box connectée</translation>
    </message>
    <message>
        <source>TranslateLogoutStation</source>
        <translation>Box déconnectée</translation>
    </message>
    <message>
        <source>TranslateDoubtLive</source>
        <translation>Levée de doute en direct</translation>
    </message>
    <message>
        <source>TranslateViaWebApp</source>
        <translation>Depuis le site web</translation>
    </message>
    <message>
        <source>TranslateViaMobileOrTab</source>
        <translation>Depuis un mobile ou une tablette</translation>
    </message>
    <message>
        <source>TranslateViaScenario</source>
        <translation>Par un scénario</translation>
    </message>
    <message>
        <source>TranslateTriggerScenario</source>
        <translation>Scénario déclenché</translation>
    </message>
    <message>
        <source>TranslateBySensor</source>
        <translation>Par</translation>
    </message>
    <message>
        <source>TranslateTriggerFavorite</source>
        <translation>Favori lancé</translation>
    </message>
    <message>
        <source>TranslateFromRemote</source>
        <translation>Depuis la télécommande</translation>
    </message>
    <message>
        <source>TranslateRemoted</source>
        <translation>À distance</translation>
    </message>
    <message>
        <source>TranslateStopFavorite</source>
        <translation>Favori arrêté</translation>
    </message>
    <message>
        <source>TranslateViaFavorite</source>
        <translation>Par un favori</translation>
    </message>
    <message>
        <source>TranslateViaVocal</source>
        <translation>Par le serveur vocal</translation>
    </message>
    <message>
        <source>TranslateModeHelpOn</source>
        <translation>Assistance activée</translation>
    </message>
    <message>
        <source>TranslateModeHelpOff</source>
        <translation>Assistance désactivée</translation>
    </message>
    <message>
        <source>TranslateByallControl</source>
        <translation>Par</translation>
    </message>
    <message>
        <source>TranslateHomeInactivity</source>
        <translation>Aucune activité dans la maison</translation>
    </message>
    <message>
        <source>TranslateModeIntrusionOn</source>
        <translation>Alarme intrusion totale</translation>
    </message>
    <message>
        <source>TranslateModeIntrusionPartial</source>
        <translation>Alarme intrusion partielle</translation>
    </message>
    <message>
        <source>TranslateModeIntrusionOff</source>
        <translation>Alarme intrusion arrêtée</translation>
    </message>
    <message>
        <source>TranslateModeDomesticOn</source>
        <translation>Sécurité domestique activée</translation>
    </message>
    <message>
        <source>TranslateModeDomesticOff</source>
        <translation>Sécurité domestique arrêtée</translation>
    </message>
    <message>
        <source>Called</source>
        <translation>Appel au</translation>
    </message>
    <message>
        <source>SMS sent to</source>
        <translation>SMS envoyé au</translation>
    </message>
    <message>
        <source>Email sent to</source>
        <translation>E-mail envoyé à</translation>
    </message>
    <message>
        <source>Fax sent to</source>
        <translation>Fax envoyé au</translation>
    </message>
    <message>
        <source>TranslateAlertSentTo</source>
        <translation>Alerte envoyée à</translation>
    </message>
    <message>
        <source>TranslateMoreDestinations</source>
        <translation>et %1 autres destinataires</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>TavroBox</name>
    <message>
        <source>MYHISTORY</source>
        <translation>MY HISTORY</translation>
    </message>
    <message>
        <source>You do not have history.</source>
        <translation>You have no history yet.</translation>
    </message>
    <message>
        <source>The</source>
        <translation>On</translation>
    </message>
    <message>
        <source>At</source>
        <translation>at</translation>
    </message>
    <message>
        <source>TranslateOpenAlert</source>
        <translation>Opening alert</translation>
    </message>
    <message>
        <source>TranslateMoveAlert</source>
        <translation>Motion alert</translation>
    </message>
    <message>
        <source>TranslateGlassBreakageAlert</source>
        <translation>Glass break alert</translation>
    </message>
    <message>
        <source>TranslateGasAlert</source>
        <translation>Gas leak alert</translation>
    </message>
    <message>
        <source>TranslateMonoxideAlert</source>
        <translation>Carbon monoxide alert</translation>
    </message>
    <message>
        <source>TranslateWaterAlert</source>
        <translation>Water leak alert</translation>
    </message>
    <message>
        <source>TranslatePowerFailureAlert</source>
        <translation>Power cut alert</translation>
    </message>
    <message>
        <source>TranslateFireAlert</source>
        <translation>Fire alert</translation>
    </message>
    <message>
        <source>TranslateHelpSosAlert</source>
        <translation>SOS alert</translation>
    </message>
    <message>
        <source>TranslateOtherAlert</source>
        <translation>Alert</translation>
    </message>
    <message>
        <source>TranslateOtherEvent</source>
        <translation>Box event</translation>
    </message>
    <message>
        <source>TranslateAlertNotSend</source>
        <translation>Alert not sent</translation>
    </message>
    <message>
        <source>TranslateTriggerBy</source>
        <translation>Triggered by</translation>
    </message>
    <message>
        <source>TranslateChangeOfMode</source>
        <translation>Mode change</translation>
    </message>
    <message>
        <source>TranslateByRemote</source>
        <translation>With the remote</translation>
    </message>
    <message>
        <source>TranslateOfInfoType</source>
        <translation>For information</translation>
    </message>
    <message>
        <source>TranslateInfoTear</source>
        <translation>Tamper alert</translation>
    </message>
    <message>
        <source>TranslateLowSensorBatt</source>
        <translation>Sensor battery low</translation>
    </message>
    <message>
        <source>TranslateUnreachableSensor</source>
        <translation>Sensor unreachable</translation>
    </message>
    <message>
        <source>TranslateReachedSensor</source>
        <translation>Sensor reachable again</translation>
    </message>
    <message>
        <source>TranslateReconnectYourStation</source>
        <translation>Box reconnected</translation>
    </message>
    <message>
        <source>TranslateByGsmLink</source>
        <translation>Over the GSM link</translation>
    </message>
    <message>
        <source>TranslateByBroadbandLink</source>
        <translation>Over the Internet link</translation>
    </message>
    <message>
        <source>TranslateLossOfPower</source>
        <translation>Power lost</translation>
    </message>
    <message>
        <source>TranslateOfYourStation</source>
        <translation>On your box</translation>
    </message>
    <message>
        <source>TranslateStationPowerUp</source>
        <translation>Box powered up</translation>
    </message>
    <message>
        <source>TranslateStationLowBatt</source>
        <translation>Box battery low</translation>
    </message>
    <message>
        <source>TranslateConnectingStation</source>
        <translation>Box connected</translation>
    </message>
    <message>
        <source>TranslateLogoutStation</source>
        <translation>Box disconnected</translation>
    </message>
    <message>
        <source>TranslateDoubtLive</source>
        <translation>Live alarm check</translation>
    </message>
    <message>
        <source>TranslateViaWebApp</source>
        <translation>From the website</translation>
    </message>
    <message>
        <source>TranslateViaMobileOrTab</source>
        <translation>From a phone or tablet</translation>
    </message>
    <message>
        <source>TranslateViaScenario</source>
        <translation>By a scenario</translation>
    </message>
    <message>
        <source>TranslateTriggerScenario</source>
        <translation>Scenario started</translation>
    </message>
    <message>
        <source>TranslateBySensor</source>
        <translation>By</translation>
    </message>
    <message>
        <source>TranslateTriggerFavorite</source>
        <translation>Favorite started</translation>
    </message>
    <message>
        <source>TranslateFromRemote</source>
        <translation>From the remote</translation>
    </message>
    <message>
        <source>TranslateRemoted</source>
        <translation>Remotely</translation>
    </message>
    <message>
        <source>TranslateStopFavorite</source>
        <translation>Favorite stopped</translation>
    </message>
    <message>
        <source>TranslateViaFavorite</source>
        <translation>By a favorite</translation>
    </message>
    <message>
        <source>TranslateViaVocal</source>
        <translation>By phone</translation>
    </message>
    <message>
        <source>TranslateModeHelpOn</source>
        <translation>Home help on</translation>
    </message>
    <message>
        <source>TranslateModeHelpOff</source>
        <translation>Home help off</translation>
    </message>
    <message>
        <source>TranslateByallControl</source>
        <translation>By</translation>
    </message>
    <message>
        <source>TranslateHomeInactivity</source>
        <translation>No activity in the home</translation>
    </message>
    <message>
        <source>TranslateModeIntrusionOn</source>
        <translation>Intrusion alarm on</translation>
    </message>
    <message>
        <source>TranslateModeIntrusionPartial</source>
        <translation>Intrusion alarm partial</translation>
    </message>
    <message>
        <source>TranslateModeIntrusionOff</source>
        <translation>Intrusion alarm off</translation>
    </message>
    <message>
        <source>TranslateModeDomesticOn</source>
        <translation>Domestic safety on</translation>
    </message>
    <message>
        <source>TranslateModeDomesticOff</source>
        <translation>Domestic safety off</translation>
    </message>
    <message>
        <source>Called</source>
        <translation>Called</translation>
    </message>
    <message>
        <source>SMS sent to</source>
        <translation>Text sent to</translation>
    </message>
    <message>
        <source>Email sent to</source>
        <translation>E-mail sent to</translation>
    </message>
    <message>
        <source>Fax sent to</source>
        <translation>Fax sent to</translation>
    </message>
    <message>
        <source>TranslateAlertSentTo</source>
        <translation>Alert sent to</translation>
    </message>
    <message>
        <source>TranslateMoreDestinations</source>
        <translation>and %1 more recipients</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>TavroBox</name>
    <message>
        <source>kTradEventsSummary</source>
        <translation>%1 new events</translation>
    </message>
    <message>
        <source>kTradEventsSummaryMore</source>
        <translation>Also: %1</translation>
    </message>
    <message>
        <source>kTradNotificationView</source>
        <translation>View</translation>
    </message>
    <message>
        <source>kTradSignInNeeded</source>
        <translation>Sign-in needed</translation>
    </message>
    <message>
        <source>kTradSignInNeededText</source>
        <translation>TavroBox no longer watches your home: please sign in again.</translation>
    </message>
    <message>
        <source>kTradNotificationSignIn</source>
        <translation>Sign in</translation>
    </message>
    <message>
        <source>kTradAlarmBannerOpen</source>
        <translation>see the history</translation>
    </message>
    <message>
        <source>kTradTrayOpenHome</source>
        <translation>My home</translation>
    </message>
    <message>
        <source>kTradTrayOpenHistory</source>
        <translation>My history</translation>
    </message>
    <message>
        <source>kTradTrayOpenSupervision</source>
        <translation>Supervision</translation>
    </message>
    <message>
        <source>kTradTrayStartFavorite</source>
        <translation>Start a favorite</translation>
    </message>
    <message>
        <source>kTradTrayQuit</source>
        <translation>Quit TavroBox</translation>
    </message>
    <message>
        <source>kTradTrayIntrusionTotal</source>
        <translation>Intrusion alarm: total</translation>
    </message>
    <message>
        <source>kTradTrayIntrusionPartial</source>
        <translation>Intrusion alarm: partial</translation>
    </message>
    <message>
        <source>kTradTrayIntrusionOff</source>
        <translation>Intrusion alarm: off</translation>
    </message>
    <message>
        <source>kTradTrayIntrusionUnknown</source>
        <translation>Intrusion alarm: unknown</translation>
    </message>
    <message>
        <source>kTradTrayServiceUnreachable</source>
        <translation>Service out of reach</translation>
    </message>
    <message>
        <source>kTradTrayBoxOffline</source>
        <translation>Box off line</translation>
    </message>
    <message>
        <source>kTradTrayBoxOnline</source>
        <translation>Box on line</translation>
    </message>
    <message>
        <source>kTradTrayFavoriteRunning</source>
        <translation>Running favorite: %1</translation>
    </message>
    <message>
        <source>kTradTrayNoFavorite</source>
        <translation>No favorite running</translation>
    </message>
    <message>
        <source>kTradTrayNoNotifications</source>
        <translation>Notifications unavailable: alarms will not pop up on the desktop</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>TavroBox</name>
    <message>
        <source>User Name</source>
        <translation>User name</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Remember me</source>
        <translation>Remember me</translation>
    </message>
    <message>
        <source>John Doe</source>
        <translation>John Doe</translation>
    </message>
    <message>
        <source>password</source>
        <translation>password</translation>
    </message>
    <message>
        <source>remembered password</source>
        <translation>remembered password</translation>
    </message>
    <message>
        <source>In progress...</source>
        <translation>Signing in...</translation>
    </message>
    <message>
        <source>Bad Login or Password</source>
        <translation>Wrong user name or password</translation>
    </message>
    <message>
        <source>The service could not be reached</source>
        <translation>The service could not be reached, try again later</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Service Unavailable</source>
        <translation>Service unavailable</translation>
    </message>
    <message>
        <source>The remote resource is unavailable. Please try again later.</source>
        <translation>The remote service is unavailable. Please try again later.</translation>
    </message>
    <message>
        <source>MYHOME</source>
        <translation>MY HOME</translation>
    </message>
    <message>
        <source>FAVORITES</source>
        <translation>MY FAVORITES</translation>
    </message>
    <message>
        <source>MyOrHistory</source>
        <translation>MY</translation>
    </message>
    <message>
        <source>HistoryOrEmpty</source>
        <translation>HISTORY</translation>
    </message>
    <message>
        <source>SAFETY</source>
        <translation>SAFETY</translation>
    </message>
    <message>
        <source>SUPERVISION</source>
        <translation>SUPERVISION</translation>
    </message>
    <message>
        <source>LIGHTING</source>
        <translation>LIGHTING</translation>
    </message>
    <message>
        <source>SHUTTERS</source>
        <translation>SHUTTERS</translation>
    </message>
    <message>
        <source>HEATING</source>
        <translation>HEATING</translation>
    </message>
    <message>
        <source>CONSUMPTION</source>
        <translation>ENERGY</translation>
    </message>
    <message>
        <source>WEATHER</source>
        <translation>WEATHER</translation>
    </message>
    <message>
        <source>Exclusively at Valdorim</source>
        <translation>Exclusively at Valdorim</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Sign in</source>
        <translation>Sign in</translation>
    </message>
    <message>
        <source>Your home at your fingertips</source>
        <translation>Your home, wherever you are</translation>
    </message>
    <message>
        <source>kTradAlertBtnOk</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>kTradAlertGatewayRefused</source>
        <translation>Your box refused the command.</translation>
    </message>
    <message>
        <source>kTradAlertGatewayOff</source>
        <translation>Your box is not answering. Check that it is switched on and connected to the Internet, then try again.</translation>
    </message>
    <message>
        <source>kTradAlertPrivacyMode</source>
        <translation>Your box is in privacy mode: the cameras send no pictures while it is on.</translation>
    </message>
    <message>
        <source>kTradAlertSessionTimeOut</source>
        <translation>Your session has expired. Please sign in again.</translation>
    </message>
    <message>
        <source>kTradAlertConnection4xx</source>
        <translation>The request could not be completed. Check your connection, then try again.</translation>
    </message>
    <message>
        <source>kTradAlertConnection5xx</source>
        <translation>The TavroBox service has a problem. Please try again in a few moments.</translation>
    </message>
    <message>
        <source>kTradNoRecOption</source>
        <translation>Your subscription does not include the video recording option.</translation>
    </message>
    <message>
        <source>kTradOfflineBanner</source>
        <translation>Service unreachable: trying again…</translation>
    </message>
    <message>
        <source>kTradOfflineBannerCertificate</source>
        <translation>Service unreachable: certificate refused</translation>
    </message>
    <message>
        <source>kTradAlertOffline</source>
        <translation>The service does not answer right now. The command was not sent; try again once the banner is gone.</translation>
    </message>
    <message>
        <source>kTradStoredBannerToday</source>
        <translation>Data from %1 · updating…</translation>
    </message>
    <message>
        <source>kTradStoredBanner</source>
        <translation>Data from %1, %2 · updating…</translation>
    </message>
    <message>
        <source>kTradStoredBannerDayFormat</source>
        <translation>MMM d</translation>
    </message>
    <message>
        <source>kTradStoredBannerUndated</source>
        <translation>Stored data · updating…</translation>
    </message>
    <message>
        <source>kTradChooseAccount</source>
        <translation>Choose an account</translation>
    </message>
    <message>
        <source>kTradOtherAccount</source>
        <translation>Other account</translation>
    </message>
    <message>
        <source>kTradAccounts</source>
        <translation>Accounts ›</translation>
    </message>
    <message>
        <source>kTradServer</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>kTradServerInvalid</source>
        <translation>Invalid server (https:// needed)</translation>
    </message>
</context>
</TS>

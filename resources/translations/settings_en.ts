<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>TavroBox</name>
    <message>
        <source>SETTINGS</source>
        <translation>SETTINGS</translation>
    </message>
    <message>
        <source>kTradSettingsAccount</source>
        <translation>Account</translation>
    </message>
    <message>
        <source>kTradNotSignedIn</source>
        <translation>Not signed in</translation>
    </message>
    <message>
        <source>kTradSwitchAccount</source>
        <translation>Switch account</translation>
    </message>
    <message>
        <source>kTradSignOut</source>
        <translation>Sign out</translation>
    </message>
    <message>
        <source>kTradSignOutErase</source>
        <translation>Sign out and erase its data</translation>
    </message>
    <message>
        <source>kTradSettingsLanguage</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>kTradLanguageFrench</source>
        <translation>Français (French)</translation>
    </message>
    <message>
        <source>kTradLanguageEnglish</source>
        <translation>English</translation>
    </message>
    <message>
        <source>kTradLanguageSystem</source>
        <translation>System language</translation>
    </message>
    <message>
        <source>kTradLanguageNextStart</source>
        <translation>The new language shows from the next start of the app.</translation>
    </message>
    <message>
        <source>kTradSettingsRefresh</source>
        <translation>Refresh of the open screen</translation>
    </message>
    <message>
        <source>kTradRefreshNever</source>
        <translation>Never</translation>
    </message>
    <message>
        <source>kTradRefreshSeconds</source>
        <translation>Every %1 s</translation>
    </message>
    <message>
        <source>kTradRefreshMinutes</source>
        <translation>Every %1 min</translation>
    </message>
    <message>
        <source>kTradSettingsCertificates</source>
        <translation>Trusted certificates</translation>
    </message>
    <message>
        <source>kTradNoPinnedCertificate</source>
        <translation>No certificate trusted on first use.</translation>
    </message>
    <message>
        <source>kTradForgetCertificateTitle</source>
        <translation>Forget this certificate?</translation>
    </message>
    <message>
        <source>kTradForgetCertificateMessage</source>
        <translation>At the next connection to %1, its certificate will be put to you again.</translation>
    </message>
    <message>
        <source>kTradCancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>kTradForget</source>
        <translation>Forget</translation>
    </message>
    <message>
        <source>kTradCertificateForgotten</source>
        <translation>Forgotten</translation>
    </message>
    <message>
        <source>kTradSettingsData</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>kTradEraseStoredData</source>
        <translation>Erase stored data</translation>
    </message>
    <message>
        <source>kTradStoredDataErased</source>
        <translation>This account's stored answers are erased.</translation>
    </message>
    <message>
        <source>kTradStoredDataNotErased</source>
        <translation>The stored answers could not be erased.</translation>
    </message>
    <message>
        <source>kTradSettingsAbout</source>
        <translation>About</translation>
    </message>
    <message>
        <source>kTradVersion</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>kTradLicenceRoboto</source>
        <translation>Roboto font — Apache License 2.0</translation>
    </message>
    <message>
        <source>kTradLicenceQt</source>
        <translation>Qt 6 — GNU LGPL v3</translation>
    </message>
    <message>
        <source>kTradLicenceKeychain</source>
        <translation>QtKeychain — modified BSD licence</translation>
    </message>
    <message>
        <source>kTradLicenceGStreamer</source>
        <translation>GStreamer, through Qt Multimedia — GNU LGPL v2.1</translation>
    </message>
    <message>
        <source>kTradSettingsAlarmCode</source>
        <translation>Alarm code</translation>
    </message>
    <message>
        <source>kTradCodeChoose</source>
        <translation>Set a code</translation>
    </message>
    <message>
        <source>kTradCodeNone</source>
        <translation>No code: the alarm is lowered without one</translation>
    </message>
    <message>
        <source>kTradCodeChange</source>
        <translation>Change the code</translation>
    </message>
    <message>
        <source>kTradCodeRemove</source>
        <translation>Remove the code</translation>
    </message>
    <message>
        <source>kTradCodeAskAtStart</source>
        <translation>Ask at start</translation>
    </message>
    <message>
        <source>kTradCodeAskAfter</source>
        <translation>Ask after, in the background:</translation>
    </message>
    <message>
        <source>kTradCodeAfterNever</source>
        <translation>Never</translation>
    </message>
    <message>
        <source>kTradCodeAfterMinutes</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>kTradSettingsBackground</source>
        <translation>Alarms in the background</translation>
    </message>
    <message>
        <source>kTradBackgroundStay</source>
        <translation>Stay active in the background</translation>
    </message>
    <message>
        <source>kTradBackgroundSession</source>
        <translation>Start with the session</translation>
    </message>
    <message>
        <source>kTradBackgroundEveryEvent</source>
        <translation>Every event</translation>
    </message>
    <message>
        <source>kTradBackgroundEveryEventDetail</source>
        <translation>Modes, favorites and scenarios too</translation>
    </message>
    <message>
        <source>kTradBackgroundSessionFailed</source>
        <translation>Cannot start with the session: %1</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>TavroBox</name>
    <message>
        <source>kTradTrustTitle</source>
        <translation>Trust this server?</translation>
    </message>
    <message>
        <source>kTradTrustQuestion</source>
        <translation>%1 presents a certificate that no authority vouches for. Accept only if the fingerprint below is the one of your service: nothing has been sent to it yet.</translation>
    </message>
    <message>
        <source>kTradTrustSubject</source>
        <translation>Subject: %1</translation>
    </message>
    <message>
        <source>kTradTrustValidity</source>
        <translation>Valid from %1 to %2</translation>
    </message>
    <message>
        <source>kTradTrustNotValidNow</source>
        <translation>This certificate is not valid today.</translation>
    </message>
    <message>
        <source>kTradTrustFingerprint</source>
        <translation>SHA-256 fingerprint:</translation>
    </message>
    <message>
        <source>kTradTrustDateFormat</source>
        <translation>d MMM yyyy</translation>
    </message>
    <message>
        <source>kTradTrustRefuse</source>
        <translation>Refuse</translation>
    </message>
    <message>
        <source>kTradTrustAccept</source>
        <translation>Trust</translation>
    </message>
    <message>
        <source>kTradTrustChangedTitle</source>
        <translation>Unexpected certificate</translation>
    </message>
    <message>
        <source>kTradTrustChanged</source>
        <translation>%1 does not present the certificate it is known by: someone may be posing as your service. The connection was refused and nothing was sent.</translation>
    </message>
    <message>
        <source>kTradTrustChangedAdvice</source>
        <translation>If the certificate was renewed, ask the service's administrator for its new fingerprint.</translation>
    </message>
    <message>
        <source>kTradTrustPresentedFingerprint</source>
        <translation>Presented fingerprint:</translation>
    </message>
    <message>
        <source>kTradTrustLoginRefused</source>
        <translation>Server certificate refused</translation>
    </message>
    <message>
        <source>kTradTrustLoginUnknown</source>
        <translation>Unknown server certificate</translation>
    </message>
</context>
</TS>

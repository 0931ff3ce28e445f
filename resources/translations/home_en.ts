<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>TavroBox</name>
    <message>
        <source>No added camera</source>
        <translation>No camera added</translation>
    </message>
    <message>
        <source>MY CURRENT FAVORITE</source>
        <translation>MY CURRENT FAVORITE</translation>
    </message>
    <message>
        <source>Load favorites ...</source>
        <translation>Loading favorites…</translation>
    </message>
    <message>
        <source>No current favorite.</source>
        <translation>No favorite running.</translation>
    </message>
    <message>
        <source>MY CURRENT SECURITY</source>
        <translation>MY SECURITY</translation>
    </message>
    <message>
        <source>My security intrusion</source>
        <translation>Intrusion</translation>
    </message>
    <message>
        <source>MODE ETEINT</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>MODE PARTIEL</source>
        <translation>Partial</translation>
    </message>
    <message>
        <source>MODE TOTAL</source>
        <translation>Full</translation>
    </message>
    <message>
        <source>Ma sécurité domestique</source>
        <translation>Domestic safety</translation>
    </message>
    <message>
        <source>My home help</source>
        <translation>Home help</translation>
    </message>
    <message>
        <source>MY CURRENT SCENARIOS</source>
        <translation>MY CURRENT SCENARIOS</translation>
    </message>
    <message>
        <source>MY EQUIPMENT ON</source>
        <translation>MY DEVICES ON</translation>
    </message>
    <message>
        <source>Aucun équipement allumé.</source>
        <translation>No device is on.</translation>
    </message>
    <message>
        <source>Low speed</source>
        <translation>Low speed</translation>
    </message>
    <message>
        <source>High speed</source>
        <translation>High speed</translation>
    </message>
    <message>
        <source>Forced off</source>
        <translation>Forced off</translation>
    </message>
    <message>
        <source>Local mode</source>
        <translation>Local mode</translation>
    </message>
    <message>
        <source>Forced on</source>
        <translation>Forced on</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Frostguard</source>
        <translation>Frost guard</translation>
    </message>
    <message>
        <source>Eco</source>
        <translation>Eco</translation>
    </message>
    <message>
        <source>Comfort</source>
        <translation>Comfort</translation>
    </message>
</context>
</TS>

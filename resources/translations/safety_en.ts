<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>TavroBox</name>
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
        <source>kSafetyHint</source>
        <translation>Each setting goes to your box as soon as you touch it.</translation>
    </message>
</context>
</TS>

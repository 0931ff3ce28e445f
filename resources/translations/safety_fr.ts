<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TavroBox</name>
    <message>
        <source>My security intrusion</source>
        <translation>Intrusion</translation>
    </message>
    <message>
        <source>MODE ETEINT</source>
        <translation>Arrêt</translation>
    </message>
    <message>
        <source>MODE PARTIEL</source>
        <translation>Partiel</translation>
    </message>
    <message>
        <source>MODE TOTAL</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Ma sécurité domestique</source>
        <translation>Sécurité domestique</translation>
    </message>
    <message>
        <source>My home help</source>
        <translation>Assistance à domicile</translation>
    </message>
    <message>
        <source>kSafetyHint</source>
        <translation>Chaque réglage part vers votre box dès que vous le touchez.</translation>
    </message>
</context>
</TS>

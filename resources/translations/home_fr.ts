<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TavroBox</name>
    <message>
        <source>No added camera</source>
        <translation>Aucune caméra ajoutée</translation>
    </message>
    <message>
        <source>MY CURRENT FAVORITE</source>
        <translation>MON FAVORI EN COURS</translation>
    </message>
    <message>
        <source>Load favorites ...</source>
        <translation>Chargement des favoris…</translation>
    </message>
    <message>
        <source>No current favorite.</source>
        <translation>Aucun favori en cours.</translation>
    </message>
    <message>
        <source>MY CURRENT SECURITY</source>
        <translation>MA SÉCURITÉ</translation>
    </message>
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
        <source>MY CURRENT SCENARIOS</source>
        <translation>MES SCÉNARIOS EN COURS</translation>
    </message>
    <message>
        <source>MY EQUIPMENT ON</source>
        <translation>MES ÉQUIPEMENTS ALLUMÉS</translation>
    </message>
    <message>
        <source>Aucun équipement allumé.</source>
        <translation>Aucun équipement allumé.</translation>
    </message>
    <message>
        <source>Low speed</source>
        <translation>Petite vitesse</translation>
    </message>
    <message>
        <source>High speed</source>
        <translation>Grande vitesse</translation>
    </message>
    <message>
        <source>Forced off</source>
        <translation>Arrêt forcé</translation>
    </message>
    <message>
        <source>Local mode</source>
        <translation>Mode local</translation>
    </message>
    <message>
        <source>Forced on</source>
        <translation>Marche forcée</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêt</translation>
    </message>
    <message>
        <source>Frostguard</source>
        <translation>Hors gel</translation>
    </message>
    <message>
        <source>Eco</source>
        <translation>Éco</translation>
    </message>
    <message>
        <source>Comfort</source>
        <translation>Confort</translation>
    </message>
</context>
</TS>

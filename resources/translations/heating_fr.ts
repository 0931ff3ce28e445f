<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TavroBox</name>
    <message>
        <source>You do not have heating.</source>
        <translation>Vous n'avez aucun équipement de chauffage.</translation>
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

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TavroBox</name>
    <message>
        <source>Scenarios</source>
        <translation>Scénarios</translation>
    </message>
    <message>
        <source>You do not have lights.</source>
        <translation>Vous n'avez aucun éclairage.</translation>
    </message>
</context>
</TS>

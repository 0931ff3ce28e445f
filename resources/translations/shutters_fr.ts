<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TavroBox</name>
    <message>
        <source>You do not have openings.</source>
        <translation>Vous n'avez aucun ouvrant.</translation>
    </message>
    <message>
        <source>Pulse</source>
        <translation>Impulsion</translation>
    </message>
</context>
</TS>

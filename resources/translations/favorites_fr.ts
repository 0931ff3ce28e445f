<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TavroBox</name>
    <message>
        <source>You do not have favorites.</source>
        <translation>Vous n'avez pas encore de favori.</translation>
    </message>
</context>
</TS>

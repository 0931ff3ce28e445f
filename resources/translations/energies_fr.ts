<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TavroBox</name>
    <message>
        <source>Soon Available</source>
        <translation>Bientôt disponible</translation>
    </message>
    <message>
        <source>kEnergiesSoonDetail</source>
        <translation>Vous suivrez bientôt ici la consommation d'énergie de votre maison.</translation>
    </message>
</context>
</TS>

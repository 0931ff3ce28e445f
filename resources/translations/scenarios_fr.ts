<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TavroBox</name>
    <message>
        <source>MY LIGHTING SCENARIO</source>
        <translation>MES SCÉNARIOS D'ÉCLAIRAGE</translation>
    </message>
    <message>
        <source>MY SHUTTERS SCENARIO</source>
        <translation>MES SCÉNARIOS DE VOLETS</translation>
    </message>
    <message>
        <source>MY HEATING SCENARIO</source>
        <translation>MES SCÉNARIOS DE CHAUFFAGE</translation>
    </message>
    <message>
        <source>You do not have scripts for your lighting.</source>
        <translation>Vous n'avez pas de scénario pour votre éclairage.</translation>
    </message>
    <message>
        <source>You do not have scripts for your opening.</source>
        <translation>Vous n'avez pas de scénario pour vos ouvrants.</translation>
    </message>
    <message>
        <source>You do not have scripts for your heating.</source>
        <translation>Vous n'avez pas de scénario pour votre chauffage.</translation>
    </message>
    <message>
        <source>No current scenario.</source>
        <translation>Aucun scénario en cours.</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>TavroBox</name>
    <message>
        <source>MY LIGHTING SCENARIO</source>
        <translation>MY LIGHTING SCENARIOS</translation>
    </message>
    <message>
        <source>MY SHUTTERS SCENARIO</source>
        <translation>MY SHUTTER SCENARIOS</translation>
    </message>
    <message>
        <source>MY HEATING SCENARIO</source>
        <translation>MY HEATING SCENARIOS</translation>
    </message>
    <message>
        <source>You do not have scripts for your lighting.</source>
        <translation>You have no scenario for your lighting.</translation>
    </message>
    <message>
        <source>You do not have scripts for your opening.</source>
        <translation>You have no scenario for your shutters and openings.</translation>
    </message>
    <message>
        <source>You do not have scripts for your heating.</source>
        <translation>You have no scenario for your heating.</translation>
    </message>
    <message>
        <source>No current scenario.</source>
        <translation>No scenario running.</translation>
    </message>
</context>
</TS>

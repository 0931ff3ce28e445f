<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>TavroBox</name>
    <message>
        <source>You do not have heating.</source>
        <translation>You do not have heating.</translation>
    </message>
    <message>
        <source>Low speed</source>
        <translation>Low speed</translation>
    </message>
    <message>
        <source>High speed</source>
        <translation>High speed</translation>
    </message>
    <message>
        <source>Forced off</source>
        <translation>Forced off</translation>
    </message>
    <message>
        <source>Local mode</source>
        <translation>Local mode</translation>
    </message>
    <message>
        <source>Forced on</source>
        <translation>Forced on</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Frostguard</source>
        <translation>Frost guard</translation>
    </message>
    <message>
        <source>Eco</source>
        <translation>Eco</translation>
    </message>
    <message>
        <source>Comfort</source>
        <translation>Comfort</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>TavroBox</name>
    <message>
        <source>Scenarios</source>
        <translation>Scenarios</translation>
    </message>
    <message>
        <source>You do not have lights.</source>
        <translation>You do not have lights.</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>TavroBox</name>
    <message>
        <source>You do not have favorites.</source>
        <translation>You have no favorites yet.</translation>
    </message>
</context>
</TS>

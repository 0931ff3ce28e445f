<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>TavroBox</name>
    <message>
        <source>Soon Available</source>
        <translation>Coming soon</translation>
    </message>
    <message>
        <source>kEnergiesSoonDetail</source>
        <translation>You will soon follow your home's energy use here.</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>TavroBox</name>
    <message>
        <source>No added camera</source>
        <translation>No camera added</translation>
    </message>
    <message>
        <source>RECORDINGS</source>
        <translation>RECORDINGS</translation>
    </message>
    <message>
        <source>Recording on alert</source>
        <translation>Recording on alert</translation>
    </message>
    <message>
        <source>Recording on demand</source>
        <translation>Recording on demand</translation>
    </message>
    <message>
        <source>Recording Triggered by</source>
        <translation>Triggered by</translation>
    </message>
    <message>
        <source>You do not have records.</source>
        <translation>You have no recordings.</translation>
    </message>
    <message>
        <source>Tap the video to show its commands</source>
        <translation>Tap the video to show the controls</translation>
    </message>
    <message>
        <source>Loading the video...</source>
        <translation>Loading the video…</translation>
    </message>
    <message>
        <source>Recording of</source>
        <translation>Recording of</translation>
    </message>
    <message>
        <source>No recording selected.</source>
        <translation>No recording is selected.</translation>
    </message>
    <message>
        <source>This recording has no video file.</source>
        <translation>This recording has no video file.</translation>
    </message>
    <message>
        <source>The video cannot be played.</source>
        <translation>The video cannot be played.</translation>
    </message>
</context>
</TS>

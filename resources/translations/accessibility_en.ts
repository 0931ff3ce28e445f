<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>TavroBox</name>
    <message>
        <source>A11Y_ON</source>
        <translation>on</translation>
    </message>
    <message>
        <source>A11Y_OFF</source>
        <translation>off</translation>
    </message>
    <message>
        <source>A11Y_RUNNING</source>
        <translation>running</translation>
    </message>
    <message>
        <source>A11Y_STOPPED</source>
        <translation>stopped</translation>
    </message>
    <message>
        <source>A11Y_CLEAR_TEXT</source>
        <translation>Clear text</translation>
    </message>
    <message>
        <source>A11Y_BACK</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>A11Y_PAGES</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>A11Y_PAGE_OF</source>
        <translation>page %1 of %2</translation>
    </message>
    <message>
        <source>A11Y_BUSY</source>
        <translation>Loading</translation>
    </message>
    <message>
        <source>A11Y_PAN_LEFT</source>
        <translation>Pan the camera left</translation>
    </message>
    <message>
        <source>A11Y_PAN_RIGHT</source>
        <translation>Pan the camera right</translation>
    </message>
    <message>
        <source>A11Y_PAN_UP</source>
        <translation>Tilt the camera up</translation>
    </message>
    <message>
        <source>A11Y_PAN_DOWN</source>
        <translation>Tilt the camera down</translation>
    </message>
    <message>
        <source>A11Y_PAN_CENTER</source>
        <translation>Centre the camera</translation>
    </message>
    <message>
        <source>A11Y_RECORD</source>
        <translation>Record the video</translation>
    </message>
    <message>
        <source>A11Y_CLOSE_PANEL</source>
        <translation>Close the controls</translation>
    </message>
    <message>
        <source>A11Y_STOP_VIDEO</source>
        <translation>Stop the video</translation>
    </message>
    <message>
        <source>A11Y_PLAY_VIDEO</source>
        <translation>Watch live</translation>
    </message>
    <message>
        <source>A11Y_SHOW_CAMERAS</source>
        <translation>Show the cameras</translation>
    </message>
    <message>
        <source>A11Y_HIDE_CAMERAS</source>
        <translation>Hide the cameras</translation>
    </message>
    <message>
        <source>A11Y_PLAY_RECORDING</source>
        <translation>Play the recording</translation>
    </message>
</context>
</TS>

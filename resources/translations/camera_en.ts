<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>TavroBox</name>
    <message>
        <source>kCtrlGalleryCamera</source>
        <translation>Cameras</translation>
    </message>
    <message>
        <source>kCtrlGalleryCameraStrip</source>
        <translation>Camera strip</translation>
    </message>
    <message>
        <source>kCtrlGalleryPanPanel</source>
        <translation>Camera controls</translation>
    </message>
    <message>
        <source>kCtrlGalleryCameraFront</source>
        <translation>Front door camera</translation>
    </message>
    <message>
        <source>kCtrlGalleryCameraGarden</source>
        <translation>Garden camera</translation>
    </message>
    <message>
        <source>kCtrlGalleryCameraStreet</source>
        <translation>Street camera</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TavroBox</name>
    <message>
        <source>kCtrlGalleryCamera</source>
        <translation>Caméras</translation>
    </message>
    <message>
        <source>kCtrlGalleryCameraStrip</source>
        <translation>Bandeau des caméras</translation>
    </message>
    <message>
        <source>kCtrlGalleryPanPanel</source>
        <translation>Commandes de la caméra</translation>
    </message>
    <message>
        <source>kCtrlGalleryCameraFront</source>
        <translation>Caméra entrée</translation>
    </message>
    <message>
        <source>kCtrlGalleryCameraGarden</source>
        <translation>Caméra jardin</translation>
    </message>
    <message>
        <source>kCtrlGalleryCameraStreet</source>
        <translation>Caméra rue</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TavroBox</name>
    <message>
        <source>A11Y_ON</source>
        <translation>activé</translation>
    </message>
    <message>
        <source>A11Y_OFF</source>
        <translation>désactivé</translation>
    </message>
    <message>
        <source>A11Y_RUNNING</source>
        <translation>en marche</translation>
    </message>
    <message>
        <source>A11Y_STOPPED</source>
        <translation>arrêté</translation>
    </message>
    <message>
        <source>A11Y_CLEAR_TEXT</source>
        <translation>Effacer le texte</translation>
    </message>
    <message>
        <source>A11Y_BACK</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>A11Y_PAGES</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>A11Y_PAGE_OF</source>
        <translation>page %1 sur %2</translation>
    </message>
    <message>
        <source>A11Y_BUSY</source>
        <translation>Chargement en cours</translation>
    </message>
    <message>
        <source>A11Y_PAN_LEFT</source>
        <translation>Tourner la caméra à gauche</translation>
    </message>
    <message>
        <source>A11Y_PAN_RIGHT</source>
        <translation>Tourner la caméra à droite</translation>
    </message>
    <message>
        <source>A11Y_PAN_UP</source>
        <translation>Lever la caméra</translation>
    </message>
    <message>
        <source>A11Y_PAN_DOWN</source>
        <translation>Baisser la caméra</translation>
    </message>
    <message>
        <source>A11Y_PAN_CENTER</source>
        <translation>Recentrer la caméra</translation>
    </message>
    <message>
        <source>A11Y_RECORD</source>
        <translation>Enregistrer la vidéo</translation>
    </message>
    <message>
        <source>A11Y_CLOSE_PANEL</source>
        <translation>Fermer les commandes</translation>
    </message>
    <message>
        <source>A11Y_STOP_VIDEO</source>
        <translation>Arrêter la vidéo</translation>
    </message>
    <message>
        <source>A11Y_PLAY_VIDEO</source>
        <translation>Regarder en direct</translation>
    </message>
    <message>
        <source>A11Y_SHOW_CAMERAS</source>
        <translation>Afficher les caméras</translation>
    </message>
    <message>
        <source>A11Y_HIDE_CAMERAS</source>
        <translation>Masquer les caméras</translation>
    </message>
    <message>
        <source>A11Y_PLAY_RECORDING</source>
        <translation>Lire l'enregistrement</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TavroBox</name>
    <message>
        <source>No added camera</source>
        <translation>Aucune caméra ajoutée</translation>
    </message>
    <message>
        <source>RECORDINGS</source>
        <translation>ENREGISTREMENTS</translation>
    </message>
    <message>
        <source>Recording on alert</source>
        <translation>Enregistrement sur alerte</translation>
    </message>
    <message>
        <source>Recording on demand</source>
        <translation>Enregistrement à la demande</translation>
    </message>
    <message>
        <source>Recording Triggered by</source>
        <translation>Déclenché par</translation>
    </message>
    <message>
        <source>You do not have records.</source>
        <translation>Vous n'avez aucun enregistrement.</translation>
    </message>
    <message>
        <source>Tap the video to show its commands</source>
        <translation>Touchez la vidéo pour afficher les commandes</translation>
    </message>
    <message>
        <source>Loading the video...</source>
        <translation>Chargement de la vidéo…</translation>
    </message>
    <message>
        <source>Recording of</source>
        <translation>Enregistrement du</translation>
    </message>
    <message>
        <source>No recording selected.</source>
        <translation>Aucun enregistrement n'est sélectionné.</translation>
    </message>
    <message>
        <source>This recording has no video file.</source>
        <translation>Cet enregistrement ne contient aucune vidéo.</translation>
    </message>
    <message>
        <source>The video cannot be played.</source>
        <translation>La vidéo ne peut pas être lue.</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TavroBox</name>
    <message>
        <source>User Name</source>
        <translation>Identifiant</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Remember me</source>
        <translation>Se souvenir de moi</translation>
    </message>
    <message>
        <source>John Doe</source>
        <translation>Jean Dupont</translation>
    </message>
    <message>
        <source>password</source>
        <translation>mot de passe</translation>
    </message>
    <message>
        <source>In progress...</source>
        <translation>Connexion en cours...</translation>
    </message>
    <message>
        <source>Bad Login or Password</source>
        <translation>Identifiant ou mot de passe incorrect</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Service Unavailable</source>
        <translation>Service indisponible</translation>
    </message>
    <message>
        <source>The remote resource is unavailable. Please try again later.</source>
        <translation>Le service distant est indisponible. Veuillez réessayer plus tard.</translation>
    </message>
    <message>
        <source>MYHOME</source>
        <translation>MA MAISON</translation>
    </message>
</context>
</TS>

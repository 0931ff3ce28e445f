<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TavroBox</name>
    <message>
        <source>kTradTrustTitle</source>
        <translation>Faire confiance à ce serveur ?</translation>
    </message>
    <message>
        <source>kTradTrustQuestion</source>
        <translation>%1 présente un certificat qu'aucune autorité ne garantit. N'acceptez que si l'empreinte ci-dessous est bien celle de votre service : rien ne lui a encore été envoyé.</translation>
    </message>
    <message>
        <source>kTradTrustSubject</source>
        <translation>Sujet : %1</translation>
    </message>
    <message>
        <source>kTradTrustValidity</source>
        <translation>Valide du %1 au %2</translation>
    </message>
    <message>
        <source>kTradTrustNotValidNow</source>
        <translation>Ce certificat n'est pas valide aujourd'hui.</translation>
    </message>
    <message>
        <source>kTradTrustFingerprint</source>
        <translation>Empreinte SHA-256 :</translation>
    </message>
    <message>
        <source>kTradTrustDateFormat</source>
        <translation>dd/MM/yyyy</translation>
    </message>
    <message>
        <source>kTradTrustRefuse</source>
        <translation>Refuser</translation>
    </message>
    <message>
        <source>kTradTrustAccept</source>
        <translation>Faire confiance</translation>
    </message>
    <message>
        <source>kTradTrustChangedTitle</source>
        <translation>Certificat inattendu</translation>
    </message>
    <message>
        <source>kTradTrustChanged</source>
        <translation>%1 ne présente pas le certificat attendu : quelqu'un pourrait se faire passer pour votre service. La connexion est refusée et rien n'a été envoyé.</translation>
    </message>
    <message>
        <source>kTradTrustChangedAdvice</source>
        <translation>Si le certificat a été renouvelé, demandez sa nouvelle empreinte à l'administrateur du service.</translation>
    </message>
    <message>
        <source>kTradTrustPresentedFingerprint</source>
        <translation>Empreinte présentée :</translation>
    </message>
    <message>
        <source>kTradTrustLoginRefused</source>
        <translation>Certificat du serveur refusé</translation>
    </message>
    <message>
        <source>kTradTrustLoginUnknown</source>
        <translation>Certificat du serveur inconnu</translation>
    </message>
</context>
</TS>

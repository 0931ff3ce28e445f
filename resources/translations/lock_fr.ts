<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TavroBox</name>
    <message>
        <source>kLockDotsName</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>kLockDotsValue</source>
        <translation>%1 chiffre(s) saisi(s)</translation>
    </message>
    <message>
        <source>kLockErase</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>kLockOk</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>kLockOkName</source>
        <translation>Valider</translation>
    </message>
    <message>
        <source>kLockWait</source>
        <translation>Trop de codes erronés. Réessayez dans %1</translation>
    </message>
    <message>
        <source>kLockChangeTitle</source>
        <translation>Changer le code</translation>
    </message>
    <message>
        <source>kLockRemoveTitle</source>
        <translation>Supprimer le code</translation>
    </message>
    <message>
        <source>kLockAskTitle</source>
        <translation>Code de l'alarme</translation>
    </message>
    <message>
        <source>kLockAskAdvice</source>
        <translation>Saisissez votre code (4 à 8 chiffres)</translation>
    </message>
    <message>
        <source>kLockOpenTitle</source>
        <translation>TavroBox est verrouillé</translation>
    </message>
    <message>
        <source>kLockForgotten</source>
        <translation>Code oublié ?</translation>
    </message>
    <message>
        <source>kLockCancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>kLockBack</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>kLockChooseTitle</source>
        <translation>Nouveau code</translation>
    </message>
    <message>
        <source>kLockConfirmTitle</source>
        <translation>Confirmez le code</translation>
    </message>
    <message>
        <source>kLockChooseAdvice</source>
        <translation>Choisissez de 4 à 8 chiffres</translation>
    </message>
    <message>
        <source>kLockConfirmAdvice</source>
        <translation>Saisissez-le une seconde fois</translation>
    </message>
    <message>
        <source>kLockChecking</source>
        <translation>Vérification…</translation>
    </message>
    <message>
        <source>kLockSaving</source>
        <translation>Enregistrement…</translation>
    </message>
    <message>
        <source>kLockMismatch</source>
        <translation>Les deux codes diffèrent. Recommencez.</translation>
    </message>
    <message>
        <source>kLockWrong</source>
        <translation>Code incorrect. Encore %1 essai(s) avant une attente.</translation>
    </message>
    <message>
        <source>kLockForgottenTitle</source>
        <translation>Code oublié</translation>
    </message>
    <message>
        <source>kLockForgottenAdvice</source>
        <translation>Saisissez le mot de passe du compte %1 pour choisir un nouveau code.</translation>
    </message>
    <message>
        <source>kLockPasswordName</source>
        <translation>Mot de passe du compte</translation>
    </message>
    <message>
        <source>kLockPasswordRefused</source>
        <translation>Mot de passe refusé.</translation>
    </message>
</context>
</TS>

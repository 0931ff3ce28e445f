<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>TavroBox</name>
    <message>
        <source>kLockDotsName</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>kLockDotsValue</source>
        <translation>%1 digit(s) typed</translation>
    </message>
    <message>
        <source>kLockErase</source>
        <translation>Erase</translation>
    </message>
    <message>
        <source>kLockOk</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>kLockOkName</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>kLockWait</source>
        <translation>Too many wrong codes. Try again in %1</translation>
    </message>
    <message>
        <source>kLockChangeTitle</source>
        <translation>Change the code</translation>
    </message>
    <message>
        <source>kLockRemoveTitle</source>
        <translation>Remove the code</translation>
    </message>
    <message>
        <source>kLockAskTitle</source>
        <translation>Alarm code</translation>
    </message>
    <message>
        <source>kLockAskAdvice</source>
        <translation>Enter your code (4 to 8 digits)</translation>
    </message>
    <message>
        <source>kLockOpenTitle</source>
        <translation>TavroBox is locked</translation>
    </message>
    <message>
        <source>kLockForgotten</source>
        <translation>Forgot the code?</translation>
    </message>
    <message>
        <source>kLockCancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>kLockBack</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>kLockChooseTitle</source>
        <translation>New code</translation>
    </message>
    <message>
        <source>kLockConfirmTitle</source>
        <translation>Confirm the code</translation>
    </message>
    <message>
        <source>kLockChooseAdvice</source>
        <translation>Choose 4 to 8 digits</translation>
    </message>
    <message>
        <source>kLockConfirmAdvice</source>
        <translation>Type it once more</translation>
    </message>
    <message>
        <source>kLockChecking</source>
        <translation>Checking…</translation>
    </message>
    <message>
        <source>kLockSaving</source>
        <translation>Saving…</translation>
    </message>
    <message>
        <source>kLockMismatch</source>
        <translation>The two codes differ. Start again.</translation>
    </message>
    <message>
        <source>kLockWrong</source>
        <translation>Wrong code. %1 more tries before a wait.</translation>
    </message>
    <message>
        <source>kLockForgottenTitle</source>
        <translation>Forgotten code</translation>
    </message>
    <message>
        <source>kLockForgottenAdvice</source>
        <translation>Enter the password of the account %1 to choose a new code.</translation>
    </message>
    <message>
        <source>kLockPasswordName</source>
        <translation>Account password</translation>
    </message>
    <message>
        <source>kLockPasswordRefused</source>
        <translation>Password refused.</translation>
    </message>
</context>
</TS>

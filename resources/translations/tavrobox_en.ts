<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>TavroBox</name>
    <message>
        <source>User Name</source>
        <translation>User name</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Remember me</source>
        <translation>Remember me</translation>
    </message>
    <message>
        <source>John Doe</source>
        <translation>John Doe</translation>
    </message>
    <message>
        <source>password</source>
        <translation>password</translation>
    </message>
    <message>
        <source>In progress...</source>
        <translation>Signing in...</translation>
    </message>
    <message>
        <source>Bad Login or Password</source>
        <translation>Wrong user name or password</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Service Unavailable</source>
        <translation>Service unavailable</translation>
    </message>
    <message>
        <source>The remote resource is unavailable. Please try again later.</source>
        <translation>The remote service is unavailable. Please try again later.</translation>
    </message>
    <message>
        <source>MYHOME</source>
        <translation>MY HOME</translation>
    </message>
</context>
</TS>

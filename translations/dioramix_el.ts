<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="el_GR" sourcelanguage="en">
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Αρχείο</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Επεξεργασία</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Προβολή</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>Επι&amp;λογές</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>Παρά&amp;θυρο</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Βοήθεια</translation>
    </message>
</context>
<context>
    <name>MorphologyDialog</name>
    <message>
        <source>Invalid value of point %1</source>
        <translation>Μη επιτρεπτή τιμή του σημείου %1</translation>
    </message>
    <message>
        <source>Value of point %1 out of range.
Allowed values from %2 to %3.</source>
        <translation>Τιμή σημείου %1 εκτός ορίων.
Επιτρεπτές τιμές από %2 ως %3.</translation>
    </message>
</context>
</TS>

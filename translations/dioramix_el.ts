<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="el_GR" sourcelanguage="en">
<context>
    <name>DrawingReader</name>
    <message>
        <source>no problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file ends early</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an object record has a size other than 356</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an object has an impossible width or height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an object lies more than %1 pixels from the panel&apos;s corner</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an object&apos;s silhouette is not a readable BMP image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its objects need %1 pixels, more than the %2 a drawing can hold</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Guard</name>
    <message>
        <source>Out of memory.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InputBox</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Άκυρο</translation>
    </message>
</context>
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
    <name>MessageBox</name>
    <message>
        <source>Error</source>
        <translation>Σφάλμα</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Πληροφορίες</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ναι</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Όχι</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Άκυρο</translation>
    </message>
</context>
<context>
    <name>MorphologyDialog</name>
    <message>
        <source>Invalid value of point %1</source>
        <translation>Μη επιτρεπτή τιμή του σημείου %1</translation>
    </message>
    <message>
        <source>Value of point %1 out of range.</source>
        <translation>Τιμή σημείου %1 εκτός ορίων.</translation>
    </message>
    <message>
        <source>Allowed values from %1 to %2.</source>
        <translation>Επιτρεπτές τιμές από %1 ως %2.</translation>
    </message>
</context>
<context>
    <name>Naming</name>
    <message>
        <source>&apos;&apos;%1&apos;&apos; is not a valid component name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A component named %1 already exists</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ObjectSize</name>
    <message>
        <source>An object can be at most %1 x %1 pixels and %2 pixels in all; this one would be %3 x %4. Action canceled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The objects of the drawing would hold %1 pixels; a drawing can hold at most %2. Action canceled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An object can lie at most %1 pixels from the panel&apos;s corner either way; this one would be at %2, %3. Action canceled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The objects in this file need %1 pixels; a drawing can hold at most %2. The file is not opened.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Registry</name>
    <message>
        <source>Failed to get data for &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to set data for &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to set data for &apos;%1&apos;. %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>Not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the image has %1 x %2 pixels, more than the %3 it may have</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RendererLibrary</name>
    <message>
        <source>The stereogram renderer %1 cannot be loaded: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The stereogram renderer %1 has no RenderForm function: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>The settings file &apos;%1&apos; could not be written: %2. It is left as it was.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings file &apos;%1&apos; cannot be opened: %2. It is left as it is, and settings are not saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings file &apos;%1&apos; cannot be read: %2. It is left as it is, and settings are not saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings file &apos;%1&apos; cannot be read (%2). It is left as it is, and the settings keep their defaults.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings file &apos;%1&apos; cannot be read (%2), and it could not be kept aside as &apos;%3&apos;. It is left as it is, and settings are not saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings file &apos;%1&apos; cannot be read (%2). It has been kept as &apos;%3&apos;, and the settings start again from their defaults.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>

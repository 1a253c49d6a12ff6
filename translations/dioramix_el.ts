<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="el_GR" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Created by:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Dioramix developers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>date:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>11/9/2000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AnimationDialog</name>
    <message>
        <source>Make Animation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keep tile size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> x</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;ross-eyed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Frames:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame &amp;time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Pattern:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Colours:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>T&amp;ile:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Oversampling:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Layout:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Animated GIF (*.gif)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Animated WebP (*.webp)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pattern Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.bmp)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The animation&apos;s file name must end in .gif or .webp.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the tile image of the pattern.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CancellableDialog</name>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Άκυρο</translation>
    </message>
</context>
<context>
    <name>CommandLineFiles</name>
    <message>
        <source>The file %1 does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These %1 files do not exist:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
and %1 more.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfigurationDialog</name>
    <message>
        <source>Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monitor properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Focusing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Focus properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drawing Panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drawing panel colors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Optic Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Optic settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enviroment settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standard Monitor Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom Monitor Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Monitor Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Computer Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Setup Printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>millimeters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pixels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Actual Printable Area</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paper Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Available Printer List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measurement Units in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Focus Cone Angle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Height Limits Manually</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>degrees</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do Not Use Height Array if Exceeds Limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Max Height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Min Height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory required for height array:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change Background Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change Object Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default Colors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Background Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Object Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default Values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Distance Between Eyes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Eye Distance From Zero Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height Array Warning Limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of Files in History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of Undo/Redo Actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Render Color Random Range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Render Color Base</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The background and object colors must differ from each other and from black.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid floating point value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1Kbytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 pixels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 mm</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CropDialog</name>
    <message>
        <source>Crop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crop left:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crop right:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crop top:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crop bottom:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
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
    <name>DrawingTool</name>
    <message>
        <source>Pointer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rectangle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Rectangle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>circle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Circle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>polygon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Polygon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Text</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DrawingWindow</name>
    <message>
        <source>Invalid data format.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to display object properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set &amp;Morphology</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to define height morphology</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Bring to Front</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to bring object to the foreground</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Send to Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to send object to the background</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One &amp;Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to bring object one position in front</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One &amp;Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to send object one position back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to cut object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Co&amp;py</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to copy object to the clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>D&amp;elete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to delete object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mo&amp;ve</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to move object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Resize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to resize object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cr&amp;op</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to crop object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ro&amp;tate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to rotate object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Adjust Edges</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to adjust object edges</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drawing modified. Save changes?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(x,y)=(%1,%2) (w,h)=(%3,%4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Object Morphology</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>angle = %1°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resize Object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crop Object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate Object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Round Ed&amp;ges...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to give the object heights that round its edges</source>
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
    <name>ImportDialog</name>
    <message>
        <source>Import Objects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List of objects in selected file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tongle selection of highlighted object by clicking on it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Object preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview of currently highlighted object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Άκυρο</translation>
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
    <message>
        <source>The morphology bitmaps of these objects cannot be read, so they lie flat at height 0 in the stereogram:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No objects in drawing. Action canceled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Internal Error. Action canceled. Contact the creator of the program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another drawing with specified filename is open. Action canceled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File already exists. Replace it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not create file. Action canceled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error loading file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out of memory.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dioramix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stereogram Drawing File (*.sdf)|*.sdf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;ave As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import From File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import objects from other file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo previous action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo previous undo action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the drawing larger</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the drawing smaller</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the drawing one screen pixel per pixel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom to &amp;Fit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the whole drawing in its window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Make Stereogram</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make Stereogram</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Live &amp;Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the active drawing&apos;s stereogram as it changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Configure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cascade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tile &amp;Horizontally</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tile Horizontaly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tile Vertically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tile Vertically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Minimize All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimize All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Arrange All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Basic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ObjectNames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fontchange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change Font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File related commands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit related commands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Show Toolbars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View related commands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Render</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Render drawing to stereogram</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Window related commands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Object Names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File already open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Object Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name &apos;%1&apos; already exists. Enter a new name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;&apos;%1&apos;&apos; is not a valid component name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import objects from file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a valid file. Press button to try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user manual is not installed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No web browser could show the user manual %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>More files...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show list of all open files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The program&apos;s temporary folder could not be made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The height bitmap could not be written. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The height bitmap of object %1 could not be written beside the drawing. Action canceled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import 3D &amp;Model...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import a 3D model as an object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3D models (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The model covers no pixel at this size.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The height bitmap could not be written:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import 3D Model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The 3D model %1 cannot be read:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make &amp;Animation...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Render the open drawings as the frames of an animation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A turntable of %1 x %2 pixels is too large to render.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rendering frame %1 of %2...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Άκυρο</translation>
    </message>
    <message>
        <source>Frame %1 of the animation cannot be rendered:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame %1 of the animation cannot be added:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The animation cannot be written to %1:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is not enough memory for the %1 frames of the animation.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is %2 x %3 pixels and %4 is %5 x %6: the frames of an animation must be of one size.</source>
        <translation type="unfinished"></translation>
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
    <name>ModelDialog</name>
    <message>
        <source>3D Model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn (degrees)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yaw</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pitch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Roll</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>millimeters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pixels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Base height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relief</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turntable animation...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ModelFile</name>
    <message>
        <source>not a model file this program reads</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the model has no faces</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a face names a point the model does not have</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the model cannot be read (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a point has a coordinate that is not a finite number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a point has a coordinate too large for this program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a face has no corners</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the model needs more memory than there is</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the STL header claims %1 triangles, more than the file holds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the PLY header claims %1 %2 elements, more than the file holds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the PLY file ends before the elements its header lists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a PLY list claims %1 values, more than the file holds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a PLY value is not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the PLY header has no end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the PLY header names no format this program reads</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the OFF header claims %1 points and %2 faces, more than the file holds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the model has %1 triangles, more than the %2 this program reads</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the model has %1 points, more than the %2 this program reads</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ModelPreview</name>
    <message>
        <source>Drag to turn the model</source>
        <translation type="unfinished"></translation>
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
    <message>
        <source>Doubleclick on each node to set all edges with equal height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The bitmap has no pixels of the chosen color to take heights from (its min color value is above its max color value): choose another color or bitmap.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Height Morphology</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Define flat surface by setting edge heights</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measurement Unit: mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert morphology bitmap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press Find to define bitmap file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select main color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Min color value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Max color value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height for min color value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height for max color value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clip image parts having height under</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Άκυρο</translation>
    </message>
    <message>
        <source>Select Bitmap File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitmaps (*.bmp)|*.bmp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a valid bitmap.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No bitmap file defined.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select main color.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Define heights for min and max color values.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Define clip height.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MoveDialog</name>
    <message>
        <source>Move</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Position of left-top corner</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press to allign object to the left-top corner of the drawing panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press to allign object to the right-top corner of the drawing panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press to allign object to the left-bottom corner of the drawing panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press to allign object to the right-bottom corner of the drawing panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press to allign object to the center of the drawing panel</source>
        <translation type="unfinished"></translation>
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
    <name>PanelDimensionsDialog</name>
    <message>
        <source>Panel Dimensions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select panel resolution</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Screen Resolution</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer Resolution</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dots per inch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dots per mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Units in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select panel dimensions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>current form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>custom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>millimeters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pixels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Άκυρο</translation>
    </message>
    <message>
        <source>mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width and height must be at least 1 pixel.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width and height must be at most %1 pixels.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1x%2 dpmm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1x%2 dpi</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PatternTable</name>
    <message>
        <source>Dots</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour dots</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PictureLayout</name>
    <message>
        <source>Stereogram</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stereo pair (parallel)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stereo pair (cross-eyed)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Anaglyph (red-cyan)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PreviewDock</name>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Depth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the depth map instead of the stereogram</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No drawing is open.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PropertiesDialog</name>
    <message>
        <source>(width , height) = (%1 , %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(x , y , z) = (%1 , %2 , %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(min , max) = (%1 , %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Object Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Object name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dimensions:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Coordinates of corners</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left-top:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>right-top:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left-bottom:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>right-bottom:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Morphology Bitmap Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height Morphology Bitmap:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Main Color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Main Color Limits:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Main Color Limit Heights:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Cliping Height:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no cliping</source>
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
    <name>Renderer</name>
    <message>
        <source>The morphology bitmap &quot;%1&quot; of %2 cannot be read; objects using it are rendered flat at height 0.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The panel size (%1 x %2 pixels, %3 mm wide) cannot be rendered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The distance between the eyes (%1 mm) and the eye distance from the zero level (%2 mm) must both be above 0.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The lowest height (%1 mm) is above the highest height (%2 mm).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The eyes are only %1 pixels apart on this panel; a stereogram needs more.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The highest height of %1 mm is too high for this viewing geometry: the largest height it allows is %2 mm.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pattern image %1 cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; the picture is made of random dots.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is no picture to write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the picture could not be compressed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the picture is too large for one PNG file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The stereogram could not be made: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The stereogram could not be made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rendering %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Άκυρο</translation>
    </message>
    <message>
        <source>A panel of %1 x %2 pixels is too large to render.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The height array needs %1 Kbytes, more than the limit of %2 Kbytes; it is used all the same.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Oversampling %1 times is too fine for separations of %2 pixels.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pattern image is empty or could not be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is not enough memory to render a panel of %1 x %2 pixels.</source>
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
    <name>ResizeDialog</name>
    <message>
        <source>Resize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pixels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Percent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow distorsion</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RotateDialog</name>
    <message>
        <source>Rotate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotation angle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clockwize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counterclockwize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Horizontal mirror</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check to skew object horizontally</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vertical mirror</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check to skew object vertically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press to zero rotation angle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press to rotate 45 degrees counterclockwize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press to rotate 90 degrees counterclockwize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press to rotate 135 degrees counterclockwize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press to rotate 180 degrees</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press to rotate 135 degrees clockwize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press to rotate 90 degrees clockwize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press to rotate 45 degrees clockwize</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RoundEdgesDialog</name>
    <message>
        <source>Round Edges</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width of rounded band</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Base height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Round</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bevel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dome</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Depth preview: nearer is whiter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The width of the rounded band must be a number of millimetres above 0.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The top height must be a whole number of millimetres.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The base height must be a whole number of millimetres.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The top height must be above the base height.</source>
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
<context>
    <name>Shape</name>
    <message>
        <source>Drag node to resize object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag to move object (resize mode)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag node to rotate object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag to move object (rotate mode)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag node to crop object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag to move object (crop mode)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StereogramViewer</name>
    <message>
        <source>&amp;Fit to Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Depth Map...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keep tile size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> x</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;ross-eyed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Guide marks when saving or printing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Pattern:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Colours:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Oversampling:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pattern Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.bmp)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 x %2 pixels, separations %3 to %4 pixels, rendered in %5 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The stereogram cannot be saved to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The depth map cannot be saved to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Stereogram</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PNG image (*.png);;BMP image (*.bmp)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Depth Map</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The stereogram cannot be printed: the printer cannot be used.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The stereogram could not be printed whole.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Layout:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WindowListDialog</name>
    <message>
        <source>Window List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select drawing from list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Άκυρο</translation>
    </message>
</context>
</TS>

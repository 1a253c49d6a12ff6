#pragma once
// Morphology bitmaps the program makes itself (a 3D model's relief, rounded
// edges). A drawing that has a file keeps them in its folder, named after
// the drawing and the object ("<drawing>-<object>.bmp", a number added when
// the name is taken), so that the drawing and its folder travel together.
// A drawing never saved keeps them in the program's temporary folder until
// it is saved.
#include <QByteArray>
#include <QImage>
#include <QString>

class DrawingWindow;

struct StoredBitmap {
    QByteArray path; // as the morphology stores it
    QString error;   // why it could not be written; empty when written
};

// Writes `bitmap` for the object `object_name` of `drawing`.
StoredBitmap store_generated_bitmap(const DrawingWindow& drawing, const QString& object_name, const QImage& bitmap);

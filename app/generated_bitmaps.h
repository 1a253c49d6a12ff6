#pragma once
// Morphology bitmaps the program makes itself (a 3D model's relief, rounded
// edges). A drawing that has a file keeps them in its folder, named after
// the drawing and the object ("<drawing>-<object>.bmp", a number added when
// the name is taken), so that the drawing and its folder travel together.
// A drawing never saved keeps them in the program's temporary folder until
// it is saved; its first save writes them beside it.
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <vector>

class DrawingWindow;
class Shape;

struct StoredBitmap {
    QByteArray path; // as the morphology stores it
    QString error;   // why it could not be written; empty when written
};

// Writes `bitmap` for the object `object_name` of `drawing`. A path longer
// than a morphology holds is stored as the file name alone, which the
// bitmap lookup finds in the drawing's folder.
StoredBitmap store_generated_bitmap(const DrawingWindow& drawing, const QString& object_name, const QImage& bitmap);

// The program's temporary folder for the bitmaps of drawings never saved;
// empty when it could not be made.
QString generated_bitmap_folder();

// The bitmaps of a drawing's objects that lie in the program's temporary
// folder, written beside the drawing's new file when it is saved. The
// objects take the new paths just before the drawing is written, and give
// them back when it could not be.
class BitmapsBeside {
public:
    // Writes the bitmaps beside `drawing_path`. When one fails, `error`
    // says why and none is left written.
    BitmapsBeside(const QList<Shape*>& shapes, const QString& drawing_path);

    QString error;

    // The objects' morphology names the written bitmaps.
    void take();
    // The drawing was not written: the objects' paths as they were, the
    // written bitmaps removed.
    void put_back();

private:
    struct Moved {
        Shape* shape;
        QByteArray old_path;
        QByteArray new_path;
        QString file;
    };
    std::vector<Moved> moved_;
};

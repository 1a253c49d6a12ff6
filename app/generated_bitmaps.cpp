#include "app/generated_bitmaps.h"
#include "app/main_window.h"
#include "core/morphology.h"
#include "core/object_size.h"
#include "core/shape.h"
#include "document/drawing_window.h"
#include "platform/durable_file.h"
#include "platform/errors.h"
#include "platform/regular_file.h"
#include "render/render_request.h"
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QTemporaryDir>

namespace {

// "<drawing>-<object>.bmp" in `folder`, or "<drawing>-<object>-2.bmp", ...
QString free_name(const QString& folder, const QString& drawing_name, const QString& object_name)
{
    const QString stem = QStringLiteral("%1-%2").arg(drawing_name, object_name);
    QString path = QDir(folder).filePath(stem + QStringLiteral(".bmp"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(folder).filePath(QStringLiteral("%1-%2.bmp").arg(stem).arg(n));
    return path;
}

// The path as a morphology stores it: the whole path when it fits, else
// the file name alone.
QByteArray stored_path(const QString& path)
{
    const QByteArray whole = path.toLocal8Bit();
    if (whole.size() <= Morphology::max_path_bytes) return whole;
    return QFileInfo(path).fileName().toLocal8Bit();
}

// Writes `bytes` under a free name in `folder`; the written file in
// `file` unless it failed.
StoredBitmap write_bitmap(const QString& folder, const QString& drawing_name, const QString& object_name,
                          const QByteArray& bytes, QString* file = nullptr)
{
    StoredBitmap stored;
    if (folder.isEmpty()) {
        stored.error = QCoreApplication::translate("MainWindow", "The program's temporary folder could not be made.");
        return stored;
    }
    const QString path = free_name(folder, drawing_name, object_name);
    const platform::DurableWrite write = platform::write_file_durably(path, bytes);
    if (write.result != platform::DurableResult::Written) {
        stored.error = write.error;
        return stored;
    }
    stored.path = stored_path(path);
    if (file) *file = path;
    return stored;
}

bool in_folder(const QString& path, const QString& folder)
{
    return !folder.isEmpty() && QDir::cleanPath(QFileInfo(path).absolutePath()) == QDir::cleanPath(folder);
}

} // namespace

QString generated_bitmap_folder()
{
    // Lives as long as the program: what it holds is written beside a
    // drawing when the drawing is saved.
    static QTemporaryDir folder(QDir(QDir::tempPath()).filePath(QStringLiteral("dioramix-XXXXXX")));
    return folder.isValid() ? folder.path() : QString();
}

StoredBitmap store_generated_bitmap(const DrawingWindow& drawing, const QString& object_name, const QImage& bitmap)
{
    const bool saved = drawing.has_file == 1;
    const QString folder = saved ? drawing.panel->property(drawing_folder_property).toString() : generated_bitmap_folder();
    const QString drawing_name = QFileInfo(drawing.windowTitle()).completeBaseName();

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!QImageWriter(&buffer, "bmp").write(bitmap)) {
        StoredBitmap stored;
        stored.error = QCoreApplication::translate("MainWindow", "Out of memory.");
        return stored;
    }
    return write_bitmap(folder, drawing_name, object_name, bytes);
}

QByteArray MainWindow::keep_generated_bitmap(const DrawingWindow& drawing, const QString& object_name,
                                             const QImage& bitmap)
{
    const StoredBitmap stored = store_generated_bitmap(drawing, object_name, bitmap);
    if (!stored.error.isEmpty())
        throw DioramixError(tr("The height bitmap could not be written. Nothing was changed.") + u'\n' + stored.error);
    return stored.path;
}

BitmapsBeside::BitmapsBeside(const QList<Shape*>& shapes, const QString& drawing_path)
{
    const QString temporary = generated_bitmap_folder();
    const QFileInfo drawing(drawing_path);
    for (Shape* shape : shapes) {
        if (shape->morphology.flat_surface == 1) continue;
        const QString old_file = QString::fromLocal8Bit(shape->morphology.bitmap_file);
        if (!in_folder(old_file, temporary)) continue;
        // A bitmap removed from the temporary folder behind the program's
        // back is left as it is: the object has no heights to keep.
        const platform::FileContents contents = platform::read_regular_file(old_file, platform::largest_image_file(max_object_pixels));
        if (!contents.error.isEmpty()) continue;
        Moved moved{shape, shape->morphology.bitmap_file, {}, {}};
        const StoredBitmap stored =
            write_bitmap(drawing.absolutePath(), drawing.completeBaseName(), shape->name, contents.bytes, &moved.file);
        if (!stored.error.isEmpty()) {
            error = QCoreApplication::translate("MainWindow",
                                                "The height bitmap of object %1 could not be written beside the "
                                                "drawing. Action canceled.")
                        .arg(shape->name)
                + u'\n' + stored.error;
            put_back();
            return;
        }
        moved.new_path = stored.path;
        moved_.push_back(moved);
    }
}

void BitmapsBeside::take()
{
    for (const Moved& moved : moved_) moved.shape->morphology.bitmap_file = moved.new_path;
}

void BitmapsBeside::put_back()
{
    for (const Moved& moved : moved_) {
        moved.shape->morphology.bitmap_file = moved.old_path;
        QFile::remove(moved.file);
    }
    moved_.clear();
}

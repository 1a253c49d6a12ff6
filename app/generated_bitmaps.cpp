#include "app/generated_bitmaps.h"
#include "document/drawing_window.h"
#include "platform/durable_file.h"
#include "render/render_request.h"
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QTemporaryDir>

namespace {

// Lives as long as the program: what it holds is written beside a drawing
// when the drawing is saved.
QString temporary_folder()
{
    static QTemporaryDir folder;
    return folder.path();
}

// "<drawing>-<object>.bmp" in `folder`, or "<drawing>-<object>-2.bmp", ...
QString free_name(const QString& folder, const QString& drawing_name, const QString& object_name)
{
    const QString stem = QStringLiteral("%1-%2").arg(drawing_name, object_name);
    QString path = QDir(folder).filePath(stem + QStringLiteral(".bmp"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(folder).filePath(QStringLiteral("%1-%2.bmp").arg(stem).arg(n));
    return path;
}

} // namespace

StoredBitmap store_generated_bitmap(const DrawingWindow& drawing, const QString& object_name, const QImage& bitmap)
{
    const bool saved = drawing.has_file == 1;
    const QString folder = saved ? drawing.panel->property(drawing_folder_property).toString() : temporary_folder();
    const QString drawing_name = QFileInfo(drawing.windowTitle()).completeBaseName();
    const QString path = free_name(folder, drawing_name, object_name);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    StoredBitmap stored;
    if (!QImageWriter(&buffer, "bmp").write(bitmap)) {
        stored.error = QStringLiteral("Out of memory.");
        return stored;
    }
    const platform::DurableWrite write = platform::write_file_durably(path, bytes);
    if (write.result != platform::DurableResult::Written) {
        stored.error = write.error;
        return stored;
    }
    stored.path = path.toLocal8Bit();
    return stored;
}

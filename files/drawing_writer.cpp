#include "files/drawing_writer.h"
#include "document/shape.h"
#include "files/silhouette_bmp.h"
#include <QFileInfo>
#include <QSaveFile>

QByteArray drawing_file_bytes(const DrawingHeader& panel, const QList<TRazidoVavoz*>& shapes, TColor background)
{
    DrawingHeader header = panel;
    header.object_count = static_cast<std::int32_t>(shapes.size());
    QByteArray bytes = header.to_bytes();
    for (const TRazidoVavoz* shape : shapes) {
        bytes += shape_record(*shape).to_bytes();
        bytes += silhouette_bmp(shape->buffer, background);
    }
    return bytes;
}

FileWrite write_file_replacing(const QString& path, const QByteArray& bytes)
{
    const QFileInfo existing(path);
    // A read-only file is not replaced behind the user's back, even where
    // the folder would allow it.
    if (existing.exists() && (!existing.isFile() || !existing.isWritable()
                              || !(existing.permissions() & QFileDevice::WriteOwner)))
        return {FileWriteResult::CouldNotCreate, QString()};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {FileWriteResult::CouldNotCreate, file.errorString()};
    const qint64 written = platform::file_write_seam()(file, QByteArrayView(bytes));
    if (written != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return {FileWriteResult::Failed, error};
    }
    if (!file.commit()) return {FileWriteResult::Failed, file.errorString()};
    return {FileWriteResult::Written, QString()};
}

namespace platform {
FileWriteSeam& file_write_seam()
{
    static FileWriteSeam seam([](QIODevice& device, QByteArrayView bytes) {
        return device.write(bytes.data(), bytes.size());
    });
    return seam;
}
}

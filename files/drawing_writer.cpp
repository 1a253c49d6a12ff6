#include "files/drawing_writer.h"
#include "core/shape.h"
#include "files/silhouette_bmp.h"
#include <QFileInfo>

QByteArray drawing_file_bytes(const DrawingHeader& panel, const QList<Shape*>& shapes, StoredColor background)
{
    DrawingHeader header = panel;
    header.object_count = static_cast<std::int32_t>(shapes.size());
    QByteArray bytes = header.to_bytes();
    for (const Shape* shape : shapes) {
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
    const platform::DurableWrite write = platform::write_file_durably(path, bytes);
    switch (write.result) {
    case platform::DurableResult::Written: return {};
    case platform::DurableResult::NotCreated: return {FileWriteResult::CouldNotCreate, write.error};
    case platform::DurableResult::Failed: break;
    }
    return {FileWriteResult::Failed, write.error};
}

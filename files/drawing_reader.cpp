#include "files/drawing_reader.h"
#include "files/silhouette_bmp.h"

ReadProblem read_entry(QByteArrayView bytes, DrawingEntry& entry, qint64& consumed)
{
    if (bytes.size() < ShapeRecord::byte_size) return ReadProblem::Truncated;
    entry.record = ShapeRecord::from_bytes(bytes.data());
    if (entry.record.record_size != ShapeRecord::byte_size) return ReadProblem::BadRecordSize;
    if (!is_usable_object_size(entry.record.width, entry.record.height)) return ReadProblem::BadObjectSize;
    const QByteArrayView rest = bytes.sliced(ShapeRecord::byte_size);
    const std::optional<qint64> length = bmp_length(rest);
    if (!length) return rest.size() < 54 || rest.startsWith("BM") ? ReadProblem::Truncated : ReadProblem::BadImage;
    entry.silhouette = decode_bmp(rest.first(*length));
    if (entry.silhouette.isNull()) return ReadProblem::BadImage;
    consumed = ShapeRecord::byte_size + *length;
    return ReadProblem::None;
}

DrawingContents read_drawing(QByteArrayView bytes)
{
    DrawingContents contents;
    if (bytes.size() < DrawingHeader::byte_size) {
        contents.problem = ReadProblem::Truncated;
        return contents;
    }
    contents.header = DrawingHeader::from_bytes(bytes.data());
    qint64 at = DrawingHeader::byte_size;
    // The count is not trusted for reserving: each entry must be read first.
    for (std::int32_t i = 0; i < contents.header->object_count; ++i) {
        DrawingEntry entry;
        qint64 consumed = 0;
        contents.problem = read_entry(bytes.sliced(at), entry, consumed);
        if (contents.problem != ReadProblem::None) break;
        contents.entries.append(std::move(entry));
        at += consumed;
    }
    return contents;
}

QString describe(ReadProblem problem)
{
    switch (problem) {
    case ReadProblem::None: return QStringLiteral("no problem");
    case ReadProblem::Truncated: return QStringLiteral("the file ends early");
    case ReadProblem::BadRecordSize: return QStringLiteral("an object record has a size other than 356");
    case ReadProblem::BadObjectSize: return QStringLiteral("an object has an impossible width or height");
    case ReadProblem::BadImage: return QStringLiteral("an object's silhouette is not a readable BMP image");
    }
    return QString();
}

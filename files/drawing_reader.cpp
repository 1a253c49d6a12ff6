#include "files/drawing_reader.h"
#include "files/silhouette_bmp.h"

namespace {

// The record and the image's extent, without decoding the image.
ReadProblem walk_entry(QByteArrayView bytes, ShapeRecord& record, qint64& image_length)
{
    if (bytes.size() < ShapeRecord::byte_size) return ReadProblem::Truncated;
    record = ShapeRecord::from_bytes(bytes.data());
    if (record.record_size != ShapeRecord::byte_size) return ReadProblem::BadRecordSize;
    if (!is_usable_object_size(record.width, record.height)) return ReadProblem::BadObjectSize;
    const QByteArrayView rest = bytes.sliced(ShapeRecord::byte_size);
    const std::optional<qint64> length = bmp_length(rest);
    if (!length) return rest.size() < 54 || rest.startsWith("BM") ? ReadProblem::Truncated : ReadProblem::BadImage;
    image_length = *length;
    return ReadProblem::None;
}

std::int64_t pixels_of(const ShapeRecord& record)
{
    return std::int64_t(record.width) * record.height;
}

} // namespace

ReadProblem read_entry(QByteArrayView bytes, DrawingEntry& entry, qint64& consumed)
{
    qint64 image_length = 0;
    const ReadProblem problem = walk_entry(bytes, entry.record, image_length);
    if (problem != ReadProblem::None) return problem;
    entry.silhouette = decode_bmp(bytes.sliced(ShapeRecord::byte_size, image_length));
    if (entry.silhouette.isNull()) return ReadProblem::BadImage;
    consumed = ShapeRecord::byte_size + image_length;
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
    bool too_large = false;
    for (std::int32_t i = 0; i < contents.header->object_count; ++i) {
        ShapeRecord record;
        qint64 image_length = 0;
        const ReadProblem walked = walk_entry(bytes.sliced(at), record, image_length);
        if (walked != ReadProblem::None) {
            contents.problem = walked;
            break;
        }
        contents.object_pixels += pixels_of(record);
        // Past the budget the rest is only walked, to name the size asked for.
        too_large = too_large || contents.object_pixels > drawing_pixel_budget;
        if (!too_large) {
            DrawingEntry entry;
            qint64 consumed = 0;
            contents.problem = read_entry(bytes.sliced(at), entry, consumed);
            if (contents.problem != ReadProblem::None) break;
            contents.entries.append(std::move(entry));
        }
        at += ShapeRecord::byte_size + image_length;
    }
    if (too_large) {
        contents.problem = ReadProblem::TooLarge;
        contents.entries.clear();
    }
    return contents;
}

QString describe(const DrawingContents& contents)
{
    switch (contents.problem) {
    case ReadProblem::None: return QStringLiteral("no problem");
    case ReadProblem::Truncated: return QStringLiteral("the file ends early");
    case ReadProblem::BadRecordSize: return QStringLiteral("an object record has a size other than 356");
    case ReadProblem::BadObjectSize: return QStringLiteral("an object has an impossible width or height");
    case ReadProblem::BadImage: return QStringLiteral("an object's silhouette is not a readable BMP image");
    case ReadProblem::TooLarge:
        return QStringLiteral("its objects need %1 pixels, more than the %2 a drawing can hold")
            .arg(contents.object_pixels)
            .arg(drawing_pixel_budget);
    }
    return QString();
}

#include "files/drawing_reader.h"
#include "files/silhouette_bmp.h"
#include <QCoreApplication>
#include <vector>

namespace {

// The record and the image's extent, without decoding the image.
ReadProblem walk_entry(QByteArrayView bytes, ShapeRecord& record, qint64& image_length)
{
    if (bytes.size() < ShapeRecord::byte_size) return ReadProblem::Truncated;
    record = ShapeRecord::from_bytes(bytes.data());
    if (record.record_size != ShapeRecord::byte_size) return ReadProblem::BadRecordSize;
    if (!is_usable_object_size(record.width, record.height)) return ReadProblem::BadObjectSize;
    if (!is_usable_object_place(record.left, record.top)) return ReadProblem::BadObjectPlace;
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

    // First every record and the extent of its image, so that a file beyond
    // the budget costs no decoding and is named by the size it asks for.
    // The count is not trusted for reserving: each entry must be walked first.
    struct Extent {
        qint64 at;
        qint64 length;
    };
    std::vector<Extent> extents;
    ReadProblem walked = ReadProblem::None;
    qint64 at = DrawingHeader::byte_size;
    for (std::int32_t i = 0; i < contents.header->object_count; ++i) {
        ShapeRecord record;
        qint64 image_length = 0;
        walked = walk_entry(bytes.sliced(at), record, image_length);
        if (walked != ReadProblem::None) break;
        contents.object_pixels += pixels_of(record);
        const qint64 length = ShapeRecord::byte_size + image_length;
        extents.push_back({at, length});
        at += length;
    }
    if (contents.object_pixels > drawing_pixel_budget) {
        contents.problem = ReadProblem::TooLarge;
        return contents;
    }

    contents.entries.resize(qsizetype(extents.size()));
    for (std::size_t i = 0; i < extents.size(); ++i) {
        qint64 consumed = 0;
        const ReadProblem problem =
            read_entry(bytes.sliced(extents[i].at, extents[i].length), contents.entries[qsizetype(i)], consumed);
        if (problem != ReadProblem::None) {
            contents.entries.resize(qsizetype(i));
            contents.problem = problem;
            return contents;
        }
    }
    contents.problem = walked;
    return contents;
}

QString describe(const DrawingContents& contents)
{
    switch (contents.problem) {
    case ReadProblem::None: return QCoreApplication::translate("DrawingReader", "no problem");
    case ReadProblem::Truncated: return QCoreApplication::translate("DrawingReader", "the file ends early");
    case ReadProblem::BadRecordSize:
        return QCoreApplication::translate("DrawingReader", "an object record has a size other than 356");
    case ReadProblem::BadObjectSize:
        return QCoreApplication::translate("DrawingReader", "an object has an impossible width or height");
    case ReadProblem::BadObjectPlace:
        return QCoreApplication::translate(
            "DrawingReader", "an object lies more than %1 pixels from the panel's corner")
            .arg(max_object_offset);
    case ReadProblem::BadImage:
        return QCoreApplication::translate("DrawingReader", "an object's silhouette is not a readable BMP image");
    case ReadProblem::TooLarge:
        return QCoreApplication::translate(
            "DrawingReader", "its objects need %1 pixels, more than the %2 a drawing can hold")
            .arg(contents.object_pixels)
            .arg(drawing_pixel_budget);
    }
    return QString();
}

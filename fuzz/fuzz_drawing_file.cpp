// The drawing-file reader on arbitrary bytes: it must never read outside
// its input nor allocate beyond the drawing's budget, and every entry it
// accepts must rebuild into an object, as opening does, be written back
// to the same record, and render.
#include "core/shape.h"
#include "files/drawing_reader.h"
#include "files/shape_from_record.h"
#include "render_accepted.h"
#include <QtGlobal>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const DrawingContents contents = read_drawing(bytes);
    if (contents.header.has_value() != (size >= DrawingHeader::byte_size)) std::abort();
    if (contents.object_pixels > drawing_pixel_budget && contents.problem != ReadProblem::TooLarge) std::abort();
    std::int64_t pixels = 0;
    for (const DrawingEntry& entry : contents.entries) {
        const ShapeRecord& r = entry.record;
        if (r.record_size != ShapeRecord::byte_size || !is_usable_object_size(r.width, r.height)
            || !is_usable_object_place(r.left, r.top))
            std::abort();
        if (ShapeRecord::from_bytes(r.to_bytes().constData()).name != r.name) std::abort();
        pixels += std::int64_t(r.width) * r.height;
        const std::unique_ptr<Shape> shape = shape_from_entry(nullptr, entry, 0x800000, 0x00FFFF);
        if (shape->buffer.size() != QSize(r.width, r.height)) std::abort();
    }
    if (pixels > drawing_pixel_budget) std::abort();
    render_accepted(contents.entries);
    return 0;
}

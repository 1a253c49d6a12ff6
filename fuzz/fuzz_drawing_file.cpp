// The drawing-file reader on arbitrary bytes: it must never read outside
// its input nor allocate without bound, and every entry it accepts must
// rebuild into an object and be written back to the same record.
#include "files/drawing_reader.h"
#include "files/silhouette_bmp.h"
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
    for (const DrawingEntry& entry : contents.entries) {
        const ShapeRecord& r = entry.record;
        if (r.record_size != ShapeRecord::byte_size || !is_usable_object_size(r.width, r.height)) std::abort();
        if (ShapeRecord::from_bytes(r.to_bytes().constData()).name != r.name) std::abort();
        // Rebuilding huge objects only costs time; the walk is what is fuzzed.
        if (std::int64_t(r.width) * r.height > 1 << 16) continue;
        const QImage buffer = buffer_from_stored_silhouette(entry.silhouette, r.width, r.height, 0x800000, 0x00FFFF);
        if (buffer.width() != r.width || buffer.height() != r.height) std::abort();
    }
    return 0;
}

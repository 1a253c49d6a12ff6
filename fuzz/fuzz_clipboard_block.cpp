// The clipboard block reader on arbitrary bytes, as another program could
// place them under the private format: it must never read past the block,
// and an accepted block must rebuild into an object of the record's size
// and render.
#include "core/shape.h"
#include "files/clipboard_block.h"
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
    const std::optional<DrawingEntry> entry =
        read_clipboard_block(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!entry) return 0;
    const ShapeRecord& r = entry->record;
    if (size < std::size_t(ShapeRecord::byte_size) || !is_usable_object_size(r.width, r.height)) std::abort();
    const std::unique_ptr<Shape> shape = shape_from_entry(nullptr, *entry, 0x800000, 0x00FFFF);
    if (shape->buffer.size() != QSize(r.width, r.height)) std::abort();
    render_accepted({*entry});
    return 0;
}

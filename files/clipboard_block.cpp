#include "files/clipboard_block.h"
#include "core/shape.h"
#include "files/silhouette_bmp.h"

bool is_private_clipboard_format(const QString& format)
{
    return format == clipboard_format_name || format == clipboard_format_alias;
}

QByteArray clipboard_block(const Shape& shape, StoredColor background)
{
    ShapeRecord record = shape_record(shape);
    record.top = 0;
    record.left = 0;
    return record.to_bytes() + silhouette_bmp(shape.buffer, background);
}

std::optional<DrawingEntry> read_clipboard_block(QByteArrayView block)
{
    DrawingEntry entry;
    qint64 consumed = 0;
    if (read_entry(block, entry, consumed) != ReadProblem::None) return std::nullopt;
    return entry;
}

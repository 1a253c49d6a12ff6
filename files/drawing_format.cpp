#include "files/drawing_format.h"
#include "core/shape.h"
#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace {

void put32(char* out, int offset, std::int32_t value)
{
    qToLittleEndian<std::int32_t>(value, out + offset);
}

std::int32_t get32(const char* in, int offset)
{
    return qFromLittleEndian<std::int32_t>(in + offset);
}

enum RecordOffset { size_at = 0, name_at = 4, top_at = 36, left_at = 40, width_at = 44, height_at = 48, morphology_at = 52 };

} // namespace

QByteArray DrawingHeader::to_bytes() const
{
    QByteArray out(byte_size, '\0');
    char* p = out.data();
    put32(p, 0, width_mm);
    put32(p, 4, height_mm);
    put32(p, 8, width_px);
    put32(p, 12, height_px);
    put32(p, 16, object_count);
    return out;
}

DrawingHeader DrawingHeader::from_bytes(const char* p)
{
    return {get32(p, 0), get32(p, 4), get32(p, 8), get32(p, 12), get32(p, 16)};
}

QByteArray ShapeRecord::to_bytes() const
{
    QByteArray out(byte_size, '\0');
    char* p = out.data();
    put32(p, size_at, record_size);
    const int length = static_cast<int>(std::min<qsizetype>(name.size(), max_name_length));
    p[name_at] = static_cast<char>(length);
    std::memcpy(p + name_at + 1, name.constData(), static_cast<size_t>(length));
    put32(p, top_at, top);
    put32(p, left_at, left);
    put32(p, width_at, width);
    put32(p, height_at, height);
    // Only the fields of the record's mode are written; the rest stay 0.
    Morphology stored;
    assign_morphology(morphology, stored);
    const QByteArray m = stored.to_bytes();
    std::memcpy(p + morphology_at, m.constData(), Morphology::byte_size);
    return out;
}

ShapeRecord ShapeRecord::from_bytes(const char* p)
{
    ShapeRecord r;
    r.record_size = get32(p, size_at);
    const int length = std::min<int>(static_cast<std::uint8_t>(p[name_at]), max_name_length);
    r.name = QByteArray(p + name_at + 1, length);
    r.top = get32(p, top_at);
    r.left = get32(p, left_at);
    r.width = get32(p, width_at);
    r.height = get32(p, height_at);
    r.morphology = Morphology::from_bytes(p + morphology_at);
    return r;
}

ShapeRecord shape_record(const Shape& shape)
{
    ShapeRecord r;
    r.name = shape.name.left(ShapeRecord::max_name_length).toLatin1();
    r.top = shape.top;
    r.left = shape.left;
    r.width = shape.width;
    r.height = shape.height;
    r.morphology = shape.morphology;
    return r;
}

bool is_usable_panel(const DrawingHeader& header)
{
    return header.width_px >= 1 && header.height_px >= 1 && header.width_px <= max_side_px
        && header.height_px <= max_side_px;
}

#include "core/morphology.h"
#include <QString>
#include <QtEndian>
#include <cstring>

namespace {

enum Offset {
    flat_surface_at = 0,
    edge_heights_at = 4,
    bitmap_file_at = 20,
    main_color_at = 276,
    min_color_value_at = 280,
    max_color_value_at = 284,
    min_color_height_at = 288,
    max_color_height_at = 292,
    clip_enabled_at = 296,
    clip_height_at = 300,
};

void put_int32(char* out, int offset, std::int32_t value)
{
    qToLittleEndian<std::int32_t>(value, out + offset);
}

std::int32_t get_int32(const char* in, int offset)
{
    return qFromLittleEndian<std::int32_t>(in + offset);
}

// How many bytes of the path are stored: all of it when it fits, else as
// many whole characters of the system's 8-bit encoding as fit, so that a
// cut path still reads back as text.
qsizetype stored_path_length(const QByteArray& path)
{
    if (path.size() <= Morphology::max_path_bytes) return path.size();
    QString text = QString::fromLocal8Bit(path);
    if (text.toLocal8Bit() != path) return Morphology::max_path_bytes; // not text in that encoding
    // Every character takes at least one byte: no more than 255 can fit.
    if (text.size() > Morphology::max_path_bytes)
        text.truncate(text.at(Morphology::max_path_bytes - 1).isHighSurrogate() ? Morphology::max_path_bytes - 1
                                                                               : Morphology::max_path_bytes);
    QByteArray cut = text.toLocal8Bit();
    while (cut.size() > Morphology::max_path_bytes) {
        text.chop(text.size() >= 2 && text.back().isLowSurrogate() ? 2 : 1);
        cut = text.toLocal8Bit();
    }
    return cut.size();
}

} // namespace

QByteArray Morphology::to_bytes() const
{
    QByteArray out(byte_size, '\0');
    char* p = out.data();
    p[flat_surface_at] = static_cast<char>(flat_surface);
    for (int i = 0; i < 4; ++i) put_int32(p, edge_heights_at + 4 * i, edge_heights[i]);
    const int length = static_cast<int>(stored_path_length(bitmap_file));
    p[bitmap_file_at] = static_cast<char>(length);
    std::memcpy(p + bitmap_file_at + 1, bitmap_file.constData(), length);
    put_int32(p, main_color_at, main_color);
    put_int32(p, min_color_value_at, min_color_value);
    put_int32(p, max_color_value_at, max_color_value);
    put_int32(p, min_color_height_at, min_color_height);
    put_int32(p, max_color_height_at, max_color_height);
    p[clip_enabled_at] = static_cast<char>(clip_enabled);
    put_int32(p, clip_height_at, clip_height);
    return out;
}

Morphology Morphology::from_bytes(const char* p)
{
    Morphology m;
    m.flat_surface = static_cast<std::uint8_t>(p[flat_surface_at]);
    for (int i = 0; i < 4; ++i) m.edge_heights[i] = get_int32(p, edge_heights_at + 4 * i);
    const int length = static_cast<std::uint8_t>(p[bitmap_file_at]);
    m.bitmap_file = QByteArray(p + bitmap_file_at + 1, length);
    m.main_color = get_int32(p, main_color_at);
    m.min_color_value = get_int32(p, min_color_value_at);
    m.max_color_value = get_int32(p, max_color_value_at);
    m.min_color_height = get_int32(p, min_color_height_at);
    m.max_color_height = get_int32(p, max_color_height_at);
    m.clip_enabled = static_cast<std::uint8_t>(p[clip_enabled_at]);
    m.clip_height = get_int32(p, clip_height_at);
    return m;
}

void reset_morphology(Morphology& m)
{
    m = Morphology{};
    m.flat_surface = 1;
    m.main_color = 1;
}

bool assign_morphology(const Morphology& source, Morphology& destination)
{
    if (source.flat_surface == 1) {
        const bool changed = destination.flat_surface != 1
            || destination.edge_heights != source.edge_heights;
        destination.flat_surface = 1;
        destination.edge_heights = source.edge_heights;
        return changed;
    }

    bool changed = destination.flat_surface == 1
        || destination.bitmap_file != source.bitmap_file
        || destination.main_color != source.main_color
        || destination.min_color_value != source.min_color_value
        || destination.max_color_value != source.max_color_value
        || destination.min_color_height != source.min_color_height
        || destination.max_color_height != source.max_color_height
        || destination.clip_enabled != source.clip_enabled;
    destination.flat_surface = 0;
    destination.bitmap_file = source.bitmap_file;
    destination.main_color = source.main_color;
    destination.min_color_value = source.min_color_value;
    destination.max_color_value = source.max_color_value;
    destination.min_color_height = source.min_color_height;
    destination.max_color_height = source.max_color_height;
    destination.clip_enabled = source.clip_enabled;
    if (source.clip_enabled == 1) {
        changed = changed || destination.clip_height != source.clip_height;
        destination.clip_height = source.clip_height;
    }
    return changed;
}

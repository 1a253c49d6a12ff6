#pragma once
// The drawing file's fixed parts: a 20-byte header with the panel's size and
// the number of objects, and per object a 356-byte record. The clipboard and
// the import of objects use the same record. All integers little-endian.
#include "core/morphology.h"
#include "core/object_size.h"
#include <QByteArray>
#include <cstdint>

class Shape;

struct DrawingHeader {
    static constexpr int byte_size = 20;

    std::int32_t width_mm = 0;
    std::int32_t height_mm = 0;
    std::int32_t width_px = 0;
    std::int32_t height_px = 0;
    std::int32_t object_count = 0;

    QByteArray to_bytes() const;
    // Reads byte_size bytes.
    static DrawingHeader from_bytes(const char* bytes);
};

struct ShapeRecord {
    static constexpr int byte_size = 356;
    static constexpr int max_name_length = 30;

    std::int32_t record_size = byte_size;
    QByteArray name; // as stored: at most 30 single-byte characters
    std::int32_t top = 0;
    std::int32_t left = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    Morphology morphology; // as stored, every field

    // The 356 bytes: the name cut to 30 characters, top before left, only the
    // morphology fields of its mode; every other byte 0.
    QByteArray to_bytes() const;
    // Reads byte_size bytes; a name length beyond 30 is taken as 30.
    static ShapeRecord from_bytes(const char* bytes);
};

// The record of an object as it stands: name, place, size and morphology.
ShapeRecord shape_record(const Shape& shape);

// Whether a panel of the header's size can be made; a larger one marks a
// damaged file rather than a drawing.
bool is_usable_panel(const DrawingHeader& header);

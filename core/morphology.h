#pragma once
// The height morphology of an object: a flat surface fixed by four corner
// heights, or a colour channel of a morphology bitmap mapped onto a height
// range. Stored byte for byte (304 bytes) in drawing files, clipboard blocks
// and undo copies.
#include <QByteArray>
#include <array>
#include <cstdint>

struct Morphology {
    static constexpr int byte_size = 304;
    static constexpr int max_path_bytes = 255;

    std::uint8_t flat_surface = 0;
    std::array<std::int32_t, 4> edge_heights{}; // top-left, top-right, bottom-left, bottom-right
    QByteArray bitmap_file;                     // 8-bit path, at most 255 bytes
    std::int32_t main_color = 0;                // 1 red, 2 green, 3 blue
    std::int32_t min_color_value = 0;
    std::int32_t max_color_value = 0;
    std::int32_t min_color_height = 0;
    std::int32_t max_color_height = 0;
    std::uint8_t clip_enabled = 0;
    std::int32_t clip_height = 0;

    // The 304-byte layout: little-endian, padding bytes zero.
    QByteArray to_bytes() const;
    // Reads the layout from `bytes` (at least byte_size bytes). A length
    // byte beyond 255 cannot occur; the path is taken as stored.
    static Morphology from_bytes(const char* bytes);

    bool operator==(const Morphology&) const = default;
};

void reset_morphology(Morphology& m);

// Copies the fields that the source's mode uses; returns whether the
// destination changed.
bool assign_morphology(const Morphology& source, Morphology& destination);

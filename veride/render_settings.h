#pragma once
// What the renderer takes from the configuration and panel blocks it is
// handed: the viewing geometry, the height limits, the height-array policy,
// the dot colours and the panel size.
#include <cstdint>

struct RenderSettings {
    std::int32_t eye_distance = 40;     // mm between the eyes
    std::int32_t level_distance = 1000; // mm from the eyes to the zero level
    std::int32_t max_height = 80;       // mm, toward the viewer
    std::int32_t min_height = -95;      // mm
    bool donotusearray = false;
    std::int32_t heightarray_limit = 100; // kilobytes
    std::int32_t rendercolor_range = 10000;
    std::int32_t rendercolor_base = 0;
    std::int32_t width_px = 0;
    std::int32_t height_px = 0;
    std::int32_t width_mm = 0;
    std::int32_t height_mm = 0;
};

// Reads the 76-byte configuration block and the 16-byte panel block in the
// layout the program hands over (little-endian, unaligned).
RenderSettings settings_from_blocks(const unsigned char* configuration, const unsigned char* dimensions);

#pragma once
// Heights set pixel by pixel, made into a depth map when done.
#include "veride/depth_map.h"
#include <cstdint>
#include <vector>

struct HeightGrid {
    HeightGrid(int width, int height, std::int32_t z)
        : width(width), height(height), z(static_cast<std::size_t>(width) * height, z)
    {
    }

    std::int32_t* row(int y) { return z.data() + static_cast<std::size_t>(y) * width; }
    DepthMap map() const { return DepthMap::from_heights(width, height, z); }

    int width, height;
    std::vector<std::int32_t> z;
};

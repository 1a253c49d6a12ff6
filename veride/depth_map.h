#pragma once
// The depth map of a scene: one height in whole millimetres per panel
// pixel, the background at 0, objects laid back to front.
#include "veride/scene.h"
#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

struct DepthMap {
    int width = 0;
    int height = 0;
    std::vector<std::int32_t> heights; // row by row

    const std::int32_t* row(int y) const { return heights.data() + static_cast<std::size_t>(y) * width; }
    std::int32_t* row(int y) { return heights.data() + static_cast<std::size_t>(y) * width; }
    std::int32_t at(int x, int y) const { return row(y)[x]; }
};

// Reads a morphology bitmap; a null image when it cannot be read.
using BitmapReader = std::function<QImage(const QString& path)>;
QImage read_bitmap_file(const QString& path);

struct DepthLimits {
    std::int32_t min_height = 0;
    std::int32_t max_height = 0;
};

// Lays the objects on a width x height map. Heights are rounded to whole
// millimetres and limited to `limits`. An object whose morphology bitmap
// cannot be read lies flat at height 0; `problems` names each such bitmap once.
DepthMap build_depth_map(int width, int height, const std::vector<SceneObject>& objects, DepthLimits limits,
                         QStringList& problems, const BitmapReader& read_bitmap = read_bitmap_file);

// An image read as a depth map: grey 0 (black) is `limits.min_height`,
// 255 (white, nearest) is `limits.max_height`, linear in between.
DepthMap depth_map_from_image(const QImage& image, DepthLimits limits);

// The depth map as a greyscale image: the highest point white, the lowest black.
QImage depth_map_image(const DepthMap& map);

#pragma once
// The depth map of a scene: one height in whole millimetres per panel
// pixel, the background at 0, objects laid back to front.
//
// Rows are kept as runs of one height, which is what drawings are made of:
// a printer-resolution panel takes a few hundred kilobytes instead of a
// height per pixel, and the stereogram works on the runs directly.
#include "veride/scene.h"
#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <span>
#include <utility>
#include <vector>

// Pixels of a row at one height, from `begin` up to the next run's begin
// or the row's end.
struct DepthRun {
    std::int32_t begin;
    std::int32_t z;

    bool operator==(const DepthRun&) const = default;
};

struct DepthMap {
    int width = 0;
    int height = 0;
    // Row y is runs[row_start[y]] up to runs[row_start[y + 1]].
    std::vector<DepthRun> runs;
    std::vector<std::size_t> row_start{0};

    // A map of `heights`, row by row.
    static DepthMap from_heights(int width, int height, const std::vector<std::int32_t>& heights);

    // Adds the next row from `width` heights.
    void append_row(const std::int32_t* heights);

    std::span<const DepthRun> row(int y) const
    {
        return {runs.data() + row_start[std::size_t(y)], runs.data() + row_start[std::size_t(y) + 1]};
    }
    // The `width` heights of row y.
    void heights(int y, std::int32_t* out) const;
    std::vector<std::int32_t> heights(int y) const;
    std::int32_t at(int x, int y) const;
    bool same_rows(int a, int b) const;
    // The map with every pixel repeated `samples` times across.
    DepthMap widened(int samples) const;
    // The lowest and highest height; both 0 for an empty map.
    std::pair<std::int32_t, std::int32_t> range() const;
};

// Reads a morphology bitmap; a null image when it cannot be read.
using BitmapReader = std::function<QImage(const QString& path)>;
QImage read_bitmap_file(const QString& path);
// Reads the bitmaps of a drawing kept in `drawing_folder` (empty for one
// never saved), a stored path being looked for as resolve_bitmap_path does.
BitmapReader bitmap_reader_for(const QString& drawing_folder);

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

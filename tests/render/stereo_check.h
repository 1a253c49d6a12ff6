#pragma once
// Decodes a stereogram against a depth map, independently of the renderer's
// own linking: for every point that both eyes can see (brute force over the
// whole row), the two pixels where the eyes see it must have one colour.
#include "veride/depth_map.h"
#include "veride/geometry.h"
#include <QImage>
#include <algorithm>

struct StereoCheck {
    long pairs = 0;      // points seen by both eyes with both images on the picture
    long mismatches = 0; // of those, pairs of different colours
};

inline bool seen_by_both_eyes(const std::vector<std::int32_t>& row, const StereoGeometry& g, int x, double row_max)
{
    const int width = static_cast<int>(row.size());
    const double z = row[x];
    const double rise = g.sight_rise_per_px(z);
    for (int t = 1; t < width; ++t) {
        const double zt = z + t * rise;
        if (zt > row_max) break;
        if ((x - t >= 0 && row[x - t] >= zt) || (x + t < width && row[x + t] >= zt)) return false;
    }
    return true;
}

inline StereoCheck check_stereogram(const QImage& image, const DepthMap& map, const StereoGeometry& g)
{
    StereoCheck check;
    for (int y = 0; y < map.height; ++y) {
        const std::vector<std::int32_t> row = map.heights(y);
        const double row_max = *std::max_element(row.begin(), row.end());
        for (int x = 0; x < map.width; ++x) {
            const int s = g.separation_px(row[x]);
            const int left = x - (s + (s & y & 1)) / 2;
            const int right = left + s;
            if (left < 0 || right >= map.width || !seen_by_both_eyes(row, g, x, row_max)) continue;
            ++check.pairs;
            if (image.pixel(left, y) != image.pixel(right, y)) ++check.mismatches;
        }
    }
    return check;
}

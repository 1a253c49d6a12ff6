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

inline bool seen_by_both_eyes(const DepthMap& map, const StereoGeometry& g, int x, int y, double row_max)
{
    const double z = map.at(x, y);
    const double rise = g.sight_rise_per_px(z);
    for (int t = 1; t < map.width; ++t) {
        const double zt = z + t * rise;
        if (zt > row_max) break;
        if ((x - t >= 0 && map.at(x - t, y) >= zt) || (x + t < map.width && map.at(x + t, y) >= zt)) return false;
    }
    return true;
}

inline StereoCheck check_stereogram(const QImage& image, const DepthMap& map, const StereoGeometry& g)
{
    StereoCheck check;
    for (int y = 0; y < map.height; ++y) {
        const double row_max = *std::max_element(map.row(y), map.row(y) + map.width);
        for (int x = 0; x < map.width; ++x) {
            const int s = g.separation_px(map.at(x, y));
            const int left = x - (s + (s & y & 1)) / 2;
            const int right = left + s;
            if (left < 0 || right >= map.width || !seen_by_both_eyes(map, g, x, y, row_max)) continue;
            ++check.pairs;
            if (image.pixel(left, y) != image.pixel(right, y)) ++check.mismatches;
        }
    }
    return check;
}

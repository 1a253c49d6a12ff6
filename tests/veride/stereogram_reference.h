#pragma once
// The stereogram pixel by pixel, straight from its definition: linking with
// hidden-surface removal left to right, then colouring right to left. Slow,
// but plain enough to hold the renderer's fast paths to.
#include "veride/depth_map.h"
#include "veride/dot_colors.h"
#include "veride/geometry.h"
#include "veride/patterns.h"
#include "veride/separations.h"
#include "veride/stereogram.h"
#include <QImage>
#include <algorithm>
#include <cstdint>
#include <numeric>
#include <vector>

namespace reference {

// The render's row generator: 64 random bits at a time, used from the lowest.
class Bits {
public:
    Bits(std::uint64_t seed, int y) : state_(seed * 0x9E3779B97F4A7C15ull + std::uint64_t(y) + 1) {}
    bool next()
    {
        if (left_ == 0) {
            std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            bits_ = z ^ (z >> 31);
            left_ = 64;
        }
        const bool b = bits_ & 1;
        bits_ >>= 1;
        --left_;
        return b;
    }

private:
    std::uint64_t state_;
    std::uint64_t bits_ = 0;
    int left_ = 0;
};

inline bool visible(const std::int32_t* row, int width, int x, const StereoGeometry& g)
{
    const std::int32_t bound = *std::max_element(row, row + width);
    const std::int32_t z = row[x];
    const double rise = g.sight_rise_per_px(z);
    for (int t = 1;; ++t) {
        const double zt = z + t * rise;
        if (zt > bound) return true;
        if ((x - t >= 0 && row[x - t] >= zt) || (x + t < width && row[x + t] >= zt)) return false;
        if (x - t < 0 && x + t >= width) return true;
    }
}

inline std::vector<int> links(const DepthMap& map, int y, const StereoGeometry& g, const SeparationTable& sep)
{
    const int width = map.width;
    const std::vector<std::int32_t> heights = map.heights(y);
    const std::int32_t* row = heights.data();
    std::vector<int> same(static_cast<std::size_t>(width));
    std::iota(same.begin(), same.end(), 0);
    for (int x = 0; x < width; ++x) {
        const int s = sep(row[x]);
        int left = x - (s + (s & y & 1)) / 2;
        int right = left + s;
        if (left < 0 || right >= width || s <= 0 || !visible(row, width, x, g)) continue;
        for (int k = same[left]; k != left && k != right; k = same[left]) {
            if (k < right) {
                left = k;
            } else {
                left = right;
                right = k;
            }
        }
        same[left] = right;
    }
    return same;
}

inline QImage stereogram(const DepthMap& map, const StereoGeometry& g, const SeparationTable& sep,
                         std::uint64_t seed, DotColors colors)
{
    QImage image(map.width, map.height, QImage::Format_RGB888);
    for (int y = 0; y < map.height; ++y) {
        const std::vector<int> same = links(map, y, g, sep);
        std::vector<std::uint8_t> dots(same.size());
        Bits bits(seed, y);
        std::uint8_t* out = image.scanLine(y);
        for (int x = map.width - 1; x >= 0; --x) {
            dots[x] = same[x] == x ? bits.next() : dots[same[x]];
            const auto& c = dots[x] ? colors.second : colors.first;
            std::copy(c.begin(), c.end(), out + 3 * x);
        }
    }
    return image;
}

// Any pattern at k samples per pixel, from the links `rows` makes on the
// wide map: every sample free takes the pattern, every other its partner's
// colour; a pixel is the rounded mean of its samples. A tile's texture is
// laid from the right end: a free sample takes the tile where its right
// neighbour's texture continues, a linked one its partner's place.
inline QImage picture(const StereogramRows& rows, const DepthMap& wide_map, const Pattern& pattern)
{
    const int k = pattern.samples(), width = wide_map.width / k;
    QImage image(width, wide_map.height, QImage::Format_RGB888);
    StereogramRows::Scratch scratch;
    std::vector<std::uint8_t> samples(3 * std::size_t(wide_map.width));
    for (int y = 0; y < wide_map.height; ++y) {
        rows.link(y, scratch);
        // Sample x shows the texture at x - width + shift[x].
        std::vector<long> shift(std::size_t(wide_map.width) + 1, 0);
        for (int x = wide_map.width - 1; x >= 0; --x)
            shift[x] = scratch.link[x] == 0 ? shift[x + 1] : shift[x + scratch.link[x]] + scratch.link[x];
        for (int x = wide_map.width - 1; x >= 0; --x) {
            std::uint8_t* to = samples.data() + 3 * x;
            const int period = pattern.textured() ? pattern.texture_period() : 1;
            if (scratch.link[x] == 0)
                pattern.row(y).fill(x % k, x / k, x / k + 1, int(shift[x] % period), to);
            else
                std::copy_n(samples.data() + 3 * (x + scratch.link[x]), 3, to);
        }
        for (int i = 0; i < 3 * width; ++i) {
            int sum = k / 2;
            for (int p = 0; p < k; ++p) sum += samples[3 * (k * (i / 3) + p) + i % 3];
            image.scanLine(y)[i] = std::uint8_t(sum / k);
        }
    }
    return image;
}

} // namespace reference

#pragma once
// A single-image random-dot stereogram with hidden-surface removal and
// symmetric linking (Thimbleby, Inglis and Witten), for parallel viewing.
// Rows are independent: each is linked and coloured on its own, so rows are
// rendered in parallel and give the same pixels in any order.
#include "veride/depth_map.h"
#include "veride/dot_colors.h"
#include "veride/geometry.h"
#include "veride/separations.h"
#include <QImage>
#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

class StereogramRows {
public:
    StereogramRows(const DepthMap& map, const StereoGeometry& geometry, const SeparationTable& separations,
                   std::uint64_t seed, DotColors colors);

    // Scratch space of one thread.
    struct Scratch {
        std::vector<int> same;
        std::vector<std::int32_t> window_max;
        std::vector<std::int32_t> prefix, suffix;
        std::vector<std::uint8_t> dots;
    };

    // The links of row y: same[x] is the pixel right of x that must have
    // its colour, or x itself when x is free.
    void link(int y, Scratch& scratch) const;
    // Links and colours row y into `out` (3 bytes R, G, B per pixel).
    void render(int y, std::uint8_t* out, Scratch& scratch) const;

    // Whether the point of row y at x can be seen by both eyes: no surface
    // of the row rises to the line of sight from the point to either eye.
    bool visible(int y, int x) const;

private:
    bool visible_within(const std::int32_t* row, int x, std::int32_t bound) const;

    const DepthMap& map_;
    StereoGeometry geometry_;
    const SeparationTable& separations_;
    std::uint64_t seed_;
    DotColors colors_;
};

struct RenderControl {
    int threads = 0;                           // 0: all cores
    const std::atomic<bool>* cancel = nullptr; // set to stop early
    // Called on the calling thread every few hundredths of a second while
    // rows are rendered, with the number of rows done.
    std::function<void(int rows_done)> poll;
};

// The stereogram of a depth map, 24-bit; a null image when cancelled.
QImage render_stereogram(const DepthMap& map, const StereoGeometry& geometry, const SeparationTable& separations,
                         std::uint64_t seed, DotColors colors, const RenderControl& control = {});

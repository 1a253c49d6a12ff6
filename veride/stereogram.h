#pragma once
// A single-image random-dot stereogram with hidden-surface removal and
// symmetric linking (Thimbleby, Inglis and Witten), for parallel viewing
// (or cross-eyed, by the separations given).
// Rows are independent: each is linked and coloured on its own, so rows are
// rendered in parallel and give the same pixels in any order.
//
// Rows are handled as runs of equal height, which is what drawings are made
// of: a run far from anything higher is linked in one sweep and coloured by
// copying whole stretches of the row, and a row that repeats one of the same
// parity above it reuses its links outright. Pixels near a higher surface,
// and rows of many short runs, go pixel by pixel.
//
// Any pattern and oversampling: an oversampled picture is linked on rows k
// times wider, whose separations come in 1/k pixel steps, and each picture
// pixel is the mean of its k samples. The wide row is kept as k rows of
// picture width, one per sample, so that copying a linked stretch is k plain
// copies and the mean is a sum of whole rows.
#include "veride/depth_map.h"
#include "veride/dot_colors.h"
#include "veride/geometry.h"
#include "veride/patterns.h"
#include "veride/separations.h"
#include <QImage>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

class StereogramRows {
public:
    // Links are offsets within a row, so rows are at most this wide (wide
    // rows of an oversampled picture: their separations are).
    using Offset = std::int16_t;
    static constexpr int widest_row = 32767;

    StereogramRows(const DepthMap& map, const StereoGeometry& geometry, const SeparationTable& separations,
                   std::uint64_t seed, DotColors colors);
    // With k = pattern.samples() > 1, `map`, `geometry` and `separations`
    // are those of the rows k times wider (DepthMap::widened,
    // StereoGeometry::oversampled); render() writes rows of picture width.
    StereogramRows(const DepthMap& map, const StereoGeometry& geometry, const SeparationTable& separations,
                   Pattern pattern);

    // Pixels [begin, end) of a row at one height.
    struct Run {
        int begin, end;
        std::int32_t z;
    };
    // Pixels [begin, end) of a row that take their colour `offset` pixels to
    // the right; an offset of 0 marks free pixels, which take the pattern,
    // each as the pixel `shift` places right of it would.
    struct Stretch {
        int begin, end, offset;
        int shift = 0;
    };

    // The work of one stretch on the rows of samples (see paint_samples),
    // in order: `n` pixels copied from byte `from` to byte `to`, or when
    // `from` < 0, sample -from - 1 of pixels [x, x + n) coloured by the
    // pattern at byte `to`, shifted by `shift` samples.
    struct Step {
        std::int32_t to, from, n, x;
        std::int32_t shift = 0;
    };

    // Scratch space of one thread, for one StereogramRows.
    struct Scratch {
        std::vector<Offset> link;
        std::vector<std::int32_t> row; // the heights of the row being linked
        std::vector<std::int32_t> pixel_row; // the same, one per pixel, when oversampled
        int last_linked = -1;           // the rightmost pixel linked in it so far
        std::vector<Stretch> swept;     // left images linked in one sweep
        std::vector<Run> runs;
        std::vector<std::int32_t> window_max, prefix, suffix;
        std::vector<std::int32_t> texel; // textures: the texture column of each sample
        std::vector<std::uint8_t> painted;
        std::vector<std::uint8_t> averaged;
        // The colouring of the last row linked for either parity of y.
        struct Plan {
            int y = -1;
            // Rows whose links change every few samples are painted sample
            // by sample from their links instead of in stretches.
            bool by_sample = false;
            std::vector<Offset> link;
            // Right to left; painted sample by sample, the free ones of a texture.
            std::vector<Stretch> stretches;
            std::vector<Step> steps;        // the same on sample rows, for patterns
            // Oversampled, the picture left of pixel `repeat_from` repeats
            // the `repeat` pixels right of it: only the rest is painted.
            int repeat_from = 0, repeat = 0;
        } plans[2];
    };

    // The links of row y: link[x] is how far right of x lies the pixel
    // whose colour x must have, or 0 when x is free.
    void link(int y, Scratch& scratch) const;
    // Links and colours row y into `out` (3 bytes R, G, B per pixel).
    void render(int y, std::uint8_t* out, Scratch& scratch) const;

    // Whether the point of row y at x can be seen by both eyes: no surface
    // of the row rises to the line of sight from the point to either eye.
    bool visible(int y, int x) const;

private:
    bool visible_within(const std::int32_t* row, int x, std::int32_t bound) const;
    void link_pixel(int y, int x, const std::int32_t* row, std::int32_t bound, Offset* link) const;
    bool visible_among(const std::vector<Run>& runs, std::size_t i, int x, double rise, double reach) const;
    void link_run(int y, const std::vector<Run>& runs, std::size_t i, std::int32_t top, Scratch& s) const;
    void link_pixel_by_pixel(int y, Scratch& s) const;
    void plan(Scratch::Plan& plan, const std::vector<Offset>& link, std::vector<Stretch>& swept) const;
    void shift_free(std::vector<Stretch>& stretches, Scratch& s) const;
    void paint(const std::vector<Stretch>& stretches, int y, std::uint8_t* out) const;
    void plan_samples(Scratch::Plan& plan) const;
    void paint_samples(const std::vector<Step>& steps, int y, std::uint8_t* samples) const;
    void paint_by_sample(const Scratch::Plan& plan, int y, std::uint8_t* samples, Scratch& scratch) const;

    const DepthMap& map_;
    StereoGeometry geometry_;
    const SeparationTable& separations_;
    Pattern pattern_;
    std::uint64_t seed_;
    DotColors colors_;
    // The pixels of eight dots for every eight random bits.
    std::array<std::array<std::uint8_t, 24>, 256> octets_;
};

struct RenderControl {
    int threads = 0;                           // 0: all cores
    const std::atomic<bool>* cancel = nullptr; // set to stop early
    // Called on the calling thread every few hundredths of a second while
    // rows are rendered, with the number of rows done.
    std::function<void(int rows_done)> poll;
};

// Renders the stereogram of a depth map into `image`, which must be 24-bit
// and of the map's size; false when cancelled. With a pattern of k samples
// per pixel, `geometry` and `separations` are those of the rows k times
// wider (StereoGeometry::oversampled); the map is the picture's.
bool render_stereogram_onto(QImage& image, const DepthMap& map, const StereoGeometry& geometry,
                            const SeparationTable& separations, const Pattern& pattern,
                            const RenderControl& control = {});
// Two-colour random dots at whole pixels.
bool render_stereogram_onto(QImage& image, const DepthMap& map, const StereoGeometry& geometry,
                            const SeparationTable& separations, std::uint64_t seed, DotColors colors,
                            const RenderControl& control = {});

// The stereogram of a depth map, 24-bit; a null image when cancelled.
QImage render_stereogram(const DepthMap& map, const StereoGeometry& geometry, const SeparationTable& separations,
                         const Pattern& pattern, const RenderControl& control = {});
QImage render_stereogram(const DepthMap& map, const StereoGeometry& geometry, const SeparationTable& separations,
                         std::uint64_t seed, DotColors colors, const RenderControl& control = {});

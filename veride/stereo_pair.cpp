#include "veride/stereo_pair.h"
#include <QRgb>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

// Neighbours whose disparities differ by more than this lie on two
// surfaces, one in front of the other: the pixels between them are hidden
// ground, not a stretch of either.
constexpr double widest_stretch = 2.0;

constexpr std::int32_t no_point = std::numeric_limits<std::int32_t>::min();

// One row of one view. `shift` is how far each point moves in this view;
// `texture` the pattern's row.
void view_row(const std::int32_t* heights, const double* shift, const std::uint8_t* texture, int width,
              std::vector<std::int32_t>& nearest, std::uint8_t* out)
{
    nearest.assign(std::size_t(width), no_point);
    std::memcpy(out, texture, 3 * std::size_t(width));
    const auto put = [&](int u, int x) {
        if (u < 0 || u >= width || heights[x] <= nearest[std::size_t(u)]) return;
        nearest[std::size_t(u)] = heights[x];
        std::memcpy(out + 3 * std::size_t(u), texture + 3 * std::size_t(x), 3);
    };
    for (int x = 0; x < width; ++x) {
        const double p = x + shift[x];
        put(int(std::lround(p)), x);
        if (x + 1 == width || std::abs(2 * (shift[x + 1] - shift[x])) > widest_stretch) continue;
        const double q = x + 1 + shift[x + 1];
        for (int u = std::max(0, int(std::ceil(p))); u < q && u < width; ++u) put(u, u - p < q - u ? x : x + 1);
    }
}

int grey(const std::uint8_t* rgb)
{
    return qGray(rgb[0], rgb[1], rgb[2]);
}

} // namespace

StereoViews stereo_views(const DepthMap& depth, const StereoGeometry& geometry, const Pattern& pattern,
                         const RenderControl& control)
{
    const int width = depth.width, height = depth.height;
    StereoViews views{QImage(width, height, QImage::Format_RGB888), QImage(width, height, QImage::Format_RGB888)};
    if (views.left.isNull() || views.right.isNull()) return {};
    const double background = geometry.separation_exact_px(depth.range().first);
    std::vector<std::int32_t> heights(static_cast<std::size_t>(width)), nearest;
    std::vector<double> left_shift(static_cast<std::size_t>(width)), right_shift(static_cast<std::size_t>(width));
    std::vector<std::uint8_t> texture(3 * static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        if (control.cancel && control.cancel->load(std::memory_order_relaxed)) return {};
        if (control.poll && y % 64 == 0) control.poll(y);
        depth.heights(y, heights.data());
        for (int x = 0; x < width; ++x) {
            const double half = (background - geometry.separation_exact_px(heights[std::size_t(x)])) / 2;
            left_shift[std::size_t(x)] = half;
            right_shift[std::size_t(x)] = -half;
        }
        pattern.fill(y, 0, 0, width, texture.data());
        view_row(heights.data(), left_shift.data(), texture.data(), width, nearest, views.left.scanLine(y));
        view_row(heights.data(), right_shift.data(), texture.data(), width, nearest, views.right.scanLine(y));
    }
    return views;
}

QImage laid_out_views(const StereoViews& views, PictureLayout layout)
{
    const QImage& left = views.left;
    const QImage& right = views.right;
    if (left.isNull() || right.isNull() || layout == PictureLayout::Stereogram) return QImage();
    const int width = left.width(), height = left.height();
    if (layout == PictureLayout::Anaglyph) {
        QImage out(width, height, QImage::Format_RGB888);
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* l = left.constScanLine(y);
            const std::uint8_t* r = right.constScanLine(y);
            std::uint8_t* o = out.scanLine(y);
            for (int x = 0; x < width; ++x) {
                const auto g = std::uint8_t(grey(r + 3 * x));
                o[3 * x] = std::uint8_t(grey(l + 3 * x));
                o[3 * x + 1] = g;
                o[3 * x + 2] = g;
            }
        }
        return out;
    }
    QImage out(2 * width, height, QImage::Format_RGB888);
    if (out.isNull()) return out;
    const QImage& first = layout == PictureLayout::Pair ? left : right;
    const QImage& second = layout == PictureLayout::Pair ? right : left;
    for (int y = 0; y < height; ++y) {
        std::memcpy(out.scanLine(y), first.constScanLine(y), 3 * std::size_t(width));
        std::memcpy(out.scanLine(y) + 3 * std::size_t(width), second.constScanLine(y), 3 * std::size_t(width));
    }
    return out;
}

#include "document/raster.h"
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

struct Rgb {
    std::uint8_t r, g, b;
};

Rgb rgb_of(TColor c)
{
    return {static_cast<std::uint8_t>(red_of(c)), static_cast<std::uint8_t>(green_of(c)),
            static_cast<std::uint8_t>(blue_of(c))};
}

inline bool same(const std::uint8_t* p, Rgb c)
{
    return p[0] == c.r && p[1] == c.g && p[2] == c.b;
}

inline void put(std::uint8_t* p, Rgb c)
{
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
}

void ensure_rgb888(QImage& image)
{
    if (image.format() != QImage::Format_RGB888) image.convertTo(QImage::Format_RGB888);
}

// Marks which pixels of a row have the background colour.
void background_mask(const std::uint8_t* row, int width, Rgb background, std::uint8_t* mask)
{
    for (int x = 0; x < width; ++x, row += 3) mask[x] = same(row, background);
}

// The usual case: neither the edge nor the fill colour is the background, so
// no pixel changes from or to background during the pass and every row's
// background mask can be taken once, before its pixels are rewritten.
void outline_with_stable_background(QImage& image, Rgb background, Rgb fill, Rgb edge)
{
    const int w = image.width();
    const int h = image.height();
    std::vector<std::uint8_t> masks(3 * static_cast<size_t>(w));
    std::uint8_t* above = masks.data();
    std::uint8_t* here = above + w;
    std::uint8_t* below = here + w;
    background_mask(image.constScanLine(0), w, background, here);

    for (int y = 0; y < h; ++y) {
        const bool border_row = y == 0 || y == h - 1;
        if (y + 1 < h) background_mask(image.constScanLine(y + 1), w, background, below);
        std::uint8_t* p = image.scanLine(y);
        for (int x = 0; x < w; ++x, p += 3) {
            if (here[x]) continue;
            const bool on_edge = border_row || x == 0 || x == w - 1 || here[x - 1] || here[x + 1]
                || above[x] || below[x];
            put(p, on_edge ? edge : fill);
        }
        std::uint8_t* done = above;
        above = here;
        here = below;
        below = done;
    }
}

// When the edge or fill colour equals the background, pixels already
// rewritten count as background for those examined after them.
void outline_in_place(QImage& image, Rgb background, Rgb fill, Rgb edge)
{
    const int w = image.width();
    const int h = image.height();
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = image.scanLine(y);
        const std::uint8_t* up = y > 0 ? image.constScanLine(y - 1) : nullptr;
        const std::uint8_t* down = y + 1 < h ? image.constScanLine(y + 1) : nullptr;
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = row + 3 * x;
            if (same(p, background)) continue;
            const bool on_edge = y == 0 || y == h - 1 || x == 0 || x == w - 1
                || same(p - 3, background) || same(p + 3, background)
                || same(up + 3 * x, background) || same(down + 3 * x, background);
            put(p, on_edge ? edge : fill);
        }
    }
}

} // namespace

QImage make_buffer(int width, int height, TColor fill)
{
    QImage image(qMax(0, width), qMax(0, height), QImage::Format_RGB888);
    image.fill(to_qcolor(fill));
    return image;
}

void outline_pass(QImage& image, TColor background, TColor fill, TColor edge)
{
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) return;
    ensure_rgb888(image);
    // Only the three channels count: a colour with bits above them is still
    // the background when its channels match.
    const TColor g = background & 0xFFFFFF;
    if ((fill & 0xFFFFFF) != g && (edge & 0xFFFFFF) != g) {
        outline_with_stable_background(image, rgb_of(background), rgb_of(fill), rgb_of(edge));
    } else {
        outline_in_place(image, rgb_of(background), rgb_of(fill), rgb_of(edge));
    }
}

void replace_color(QImage& image, TColor from, TColor to)
{
    if (image.isNull() || from == to) return;
    ensure_rgb888(image);
    const Rgb old_rgb = rgb_of(from);
    const Rgb new_rgb = rgb_of(to);
    const int w = image.width();
    for (int y = 0; y < image.height(); ++y) {
        std::uint8_t* p = image.scanLine(y);
        for (int x = 0; x < w; ++x, p += 3) {
            if (same(p, old_rgb)) put(p, new_rgb);
        }
    }
}

TColor pixel_color(const QImage& image, int x, int y)
{
    if (image.format() == QImage::Format_RGB888) {
        const std::uint8_t* p = image.constScanLine(y) + 3 * x;
        return rgb_color(p[0], p[1], p[2]);
    }
    return from_qcolor(image.pixelColor(x, y));
}

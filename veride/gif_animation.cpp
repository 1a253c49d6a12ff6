#include "veride/gif_animation.h"
#include <gif_lib.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace {

// The fixed palette: 216 cube colours (index 36 r + 6 g + b, each level a
// fifth of the range), then the greys i * 255 / 40 that the cube lacks, and
// the last index transparent.
constexpr int grey_levels = 41;
constexpr int transparent_fixed = 255;

// Unchanged pixels go transparent only in runs this long: scattered among
// changed random dots, a third index costs LZW more than the dots
// themselves (12 frames of 800 x 600 dots: 569 kB with every unchanged
// pixel transparent, 459 kB with none, 449 kB with runs from 32 on).
constexpr int shortest_transparent_run = 32;

int cube_level(int v)
{
    return v * 51;
}

// The index of grey level i (value i * 255 / 40) in the fixed palette.
int grey_index(int i)
{
    if (i % 8 == 0) return (i / 8) * 43; // 36 l + 6 l + l
    return 216 + i - i / 8 - 1;
}

std::array<std::uint32_t, 256> fixed_palette()
{
    std::array<std::uint32_t, 256> p{};
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p[std::size_t(36 * r + 6 * g + b)] =
                    std::uint32_t(cube_level(r) << 16 | cube_level(g) << 8 | cube_level(b));
    for (int i = 0; i < grey_levels; ++i) {
        const auto v = std::uint32_t(std::lround(i * 255.0 / (grey_levels - 1)));
        p[std::size_t(grey_index(i))] = v << 16 | v << 8 | v;
    }
    return p;
}

// Bayer's 8 x 8 thresholds.
constexpr std::uint8_t bayer[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26}, {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22}, {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},  {63, 31, 55, 23, 61, 29, 53, 21}};

// Level of `v` among `steps` + 1 even levels over 0..255, dithered by `t`.
int dithered_level(int v, int steps, double t)
{
    const double scaled = v * steps / 255.0;
    const int low = int(scaled);
    return std::min(steps, low + (scaled - low > t ? 1 : 0));
}

int write_bytes(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

QString gif_error(int code)
{
    const char* text = GifErrorString(code);
    return text ? QString::fromLatin1(text) : QStringLiteral("GIF error %1").arg(code);
}

} // namespace

std::uint8_t dithered_index(std::uint8_t r, std::uint8_t g, std::uint8_t b, int x, int y)
{
    const double t = (bayer[y & 7][x & 7] + 0.5) / 64.0;
    if (r == g && g == b) return std::uint8_t(grey_index(dithered_level(r, grey_levels - 1, t)));
    return std::uint8_t(36 * dithered_level(r, 5, t) + 6 * dithered_level(g, 5, t) + dithered_level(b, 5, t));
}

GifAnimation::GifAnimation(int frame_ms) : delay_cs_(std::max(1, (frame_ms + 5) / 10)) {}

std::uint8_t GifAnimation::exact_index(std::uint32_t rgb)
{
    const auto [at, added] = index_of_.try_emplace(rgb, std::uint8_t(colours_.size()));
    if (added) colours_.push_back(rgb);
    return at->second;
}

// The frames kept so far, from exact indices to the fixed palette's.
void GifAnimation::dither_all()
{
    for (std::vector<std::uint8_t>& frame : frames_)
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                std::uint8_t& i = frame[std::size_t(y) * width_ + x];
                const std::uint32_t c = colours_[i];
                i = dithered_index(std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c), x, y);
            }
    dithered_ = true;
    colours_.clear();
    index_of_.clear();
}

QString GifAnimation::add(const QImage& given)
{
    if (frames_.empty()) {
        width_ = given.width();
        height_ = given.height();
        if (width_ < 1 || height_ < 1 || width_ > 65535 || height_ > 65535)
            return QStringLiteral("a GIF cannot hold a picture of %1 x %2 pixels").arg(width_).arg(height_);
    } else if (given.size() != QSize(width_, height_)) {
        return QStringLiteral("the frames of an animation must be of one size");
    }
    const QImage image = given.convertToFormat(QImage::Format_RGB888);
    std::vector<std::uint8_t> frame(std::size_t(width_) * height_);
    for (int y = 0; y < height_; ++y) {
        const std::uint8_t* p = image.constScanLine(y);
        std::uint8_t* out = frame.data() + std::size_t(y) * width_;
        // Neighbours mostly share a colour: the last one's index is kept at hand.
        std::uint32_t last = 0xFFFFFFFFu;
        std::uint8_t last_index = 0;
        for (int x = 0; x < width_; ++x, p += 3) {
            if (dithered_) {
                out[x] = dithered_index(p[0], p[1], p[2], x, y);
                continue;
            }
            const std::uint32_t rgb = std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
            if (rgb != last) {
                // One index of 256 is the transparent one.
                if (!index_of_.contains(rgb) && colours_.size() == 255) {
                    frames_.push_back(std::move(frame));
                    dither_all();
                    frame = std::move(frames_.back());
                    frames_.pop_back();
                    // This frame's own pixels before x were dithered as the others.
                    out = frame.data() + std::size_t(y) * width_;
                    out[x] = dithered_index(p[0], p[1], p[2], x, y);
                    continue;
                }
                last = rgb;
                last_index = exact_index(rgb);
            }
            out[x] = last_index;
        }
    }
    frames_.push_back(std::move(frame));
    return QString();
}

QString GifAnimation::finish(QByteArray& bytes)
{
    if (frames_.empty()) return QStringLiteral("an animation needs at least one frame");
    std::vector<std::uint32_t> palette;
    int transparent = 0;
    if (dithered_) {
        const auto fixed = fixed_palette();
        palette.assign(fixed.begin(), fixed.end());
        transparent = transparent_fixed;
    } else {
        palette = colours_;
        transparent = int(palette.size());
        int size = 2;
        while (size < transparent + 1) size *= 2;
        palette.resize(std::size_t(size), 0);
    }
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, write_bytes, &error);
    if (!gif) return gif_error(error);
    EGifSetGifVersion(gif, true);
    std::vector<GifColorType> colours(palette.size());
    for (std::size_t i = 0; i < palette.size(); ++i)
        colours[i] = {GifByteType(palette[i] >> 16), GifByteType(palette[i] >> 8), GifByteType(palette[i])};
    ColorMapObject* map = GifMakeMapObject(int(colours.size()), colours.data());
    bool ok = map && EGifPutScreenDesc(gif, width_, height_, 8, 0, map) == GIF_OK;
    GifFreeMapObject(map);
    // Loop forever.
    static const GifByteType netscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    static const GifByteType loop_always[] = {1, 0, 0};
    ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof netscape, netscape) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof loop_always, loop_always) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;

    std::vector<GifPixelType> line(static_cast<std::size_t>(width_));
    for (std::size_t f = 0; ok && f < frames_.size(); ++f) {
        const std::uint8_t* now = frames_[f].data();
        const std::uint8_t* before = f > 0 ? frames_[f - 1].data() : nullptr;
        // The rectangle of the pixels that changed; the whole picture at first.
        int left = width_, right = -1, top = height_, bottom = -1;
        for (int y = 0; y < height_; ++y) {
            const std::size_t row = std::size_t(y) * width_;
            if (before && std::memcmp(now + row, before + row, std::size_t(width_)) == 0) continue;
            int x0 = 0, x1 = width_ - 1;
            if (before) {
                while (now[row + x0] == before[row + x0]) ++x0;
                while (now[row + x1] == before[row + x1]) --x1;
            }
            left = std::min(left, x0);
            right = std::max(right, x1);
            top = std::min(top, y);
            bottom = y;
        }
        // A frame like the one before still shows for its time: one transparent pixel.
        const bool unchanged = bottom < 0;
        if (unchanged) left = right = top = bottom = 0;
        GraphicsControlBlock control{DISPOSE_DO_NOT, false, delay_cs_, before ? transparent : NO_TRANSPARENT_COLOR};
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_OK &&
             EGifPutImageDesc(gif, left, top, right - left + 1, bottom - top + 1, false, nullptr) == GIF_OK;
        for (int y = top; ok && y <= bottom; ++y) {
            const std::size_t row = std::size_t(y) * width_;
            for (int x = left; x <= right;) {
                int end = x;
                while (end <= right && (unchanged || (before && now[row + end] == before[row + end]))) ++end;
                const bool hidden = end - x >= shortest_transparent_run || unchanged;
                for (; x < end; ++x) line[std::size_t(x - left)] = hidden ? GifPixelType(transparent) : now[row + x];
                for (; x <= right && (!before || now[row + x] != before[row + x]); ++x)
                    line[std::size_t(x - left)] = now[row + x];
            }
            ok = EGifPutLine(gif, line.data(), right - left + 1) == GIF_OK;
        }
    }
    const int write_error = gif->Error;
    if (EGifCloseFile(gif, &error) != GIF_OK && ok) return gif_error(error);
    return ok ? QString() : gif_error(write_error);
}

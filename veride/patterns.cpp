#include "veride/patterns.h"
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

namespace {

std::uint64_t mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// Random bits for a group of pixels of a row: a function of the position
// alone, so any part of a row can be coloured in any order.
class PixelRandom {
public:
    PixelRandom(std::uint64_t seed, int y) : key_(mix(seed * 0x9E3779B97F4A7C15ull + std::uint64_t(y) + 1)) {}
    std::uint64_t group(std::int64_t g) const { return mix(key_ + std::uint64_t(g) * 0xD1B54A32D192ED03ull); }

private:
    std::uint64_t key_;
};

Rgb from_hsv(double h, double s, double v)
{
    const double f = h * 6 - std::floor(h * 6);
    const int sector = int(std::floor(h * 6)) % 6;
    const double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    double r = v, g = t, b = p;
    switch (sector) {
    case 1: r = q, g = v, b = p; break;
    case 2: r = p, g = v, b = t; break;
    case 3: r = p, g = q, b = v; break;
    case 4: r = t, g = p, b = v; break;
    case 5: r = v, g = p, b = q; break;
    default: break;
    }
    auto byte = [](double c) { return static_cast<std::uint8_t>(std::clamp(std::lround(c * 255), 0L, 255L)); };
    return {byte(r), byte(g), byte(b)};
}

// Copies pixels [x0, x1) of a row that repeats `period` pixels ending at
// pixel `width`, from one period of it.
void copy_periodic(const std::uint8_t* strip, int period, int width, int x0, int x1, std::uint8_t* out)
{
    int u = static_cast<int>(((std::int64_t(x0) - width) % period + period) % period);
    for (int x = x0; x < x1;) {
        const int n = std::min(period - u, x1 - x);
        std::memcpy(out, strip + 3 * std::size_t(u), 3 * std::size_t(n));
        out += 3 * std::size_t(n);
        x += n;
        u = 0;
    }
}

// The tile in 24 bits, transparent parts over white.
QImage opaque(const QImage& tile)
{
    if (!tile.hasAlphaChannel()) return tile.convertToFormat(QImage::Format_RGB888);
    QImage out(tile.size(), QImage::Format_RGB888);
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.drawImage(0, 0, tile);
    return out;
}

} // namespace

std::vector<Rgb> dot_palette(std::uint64_t seed, int count)
{
    std::uint64_t state = seed ^ 0x243F6A8885A308D3ull;
    auto unit = [&] { return double(mix(state += 0x9E3779B97F4A7C15ull) >> 11) / double(1ull << 53); };
    const double start = unit();
    std::vector<Rgb> colours;
    for (int i = 0; i < count; ++i) {
        const double hue = std::fmod(start + i * 0.6180339887498949, 1.0);
        const double saturation = 0.45 + 0.55 * unit();
        const double value = i % 2 == 0 ? 0.7 + 0.3 * unit() : 0.2 + 0.35 * unit();
        colours.push_back(from_hsv(hue, saturation, value));
    }
    return colours;
}

Pattern Pattern::dots(std::uint64_t seed, DotColors colors, int samples)
{
    Pattern pattern(Kind::Dots, seed, samples);
    pattern.colors_ = colors;
    return pattern;
}

Pattern Pattern::color_dots(std::uint64_t seed, int count, int samples)
{
    Pattern pattern(Kind::ColorDots, seed, samples);
    pattern.palette_ = dot_palette(seed, count);
    return pattern;
}

Pattern Pattern::image(const QImage& tile, bool own_size, int repeat, int samples, int width, int height)
{
    Pattern pattern(Kind::Image, 0, samples);
    auto strips = std::make_shared<Strips>();
    strips->width = width;
    const int wide = width * samples;
    QImage used; // the rows and columns of the tile the picture can show, as laid
    int tile_width = 0;
    if (own_size) {
        tile_width = std::min(tile.width(), width);
        used = tile.copy(tile.width() - tile_width, 0, tile_width, std::min(tile.height(), height));
    } else {
        const int fitted_width = std::max(1, repeat);
        const double scale = double(fitted_width) / samples / tile.width();
        const int fitted_height = std::max(1, int(std::lround(tile.height() * scale)));
        // Only the rows the picture reaches are scaled.
        const int source_rows =
            fitted_height <= height ? tile.height()
                                    : std::min(tile.height(), int(std::ceil((height + 2) / scale)) + 1);
        const int scaled_rows = source_rows == tile.height() ? fitted_height
                                                             : int(std::lround(source_rows * scale));
        used = tile.copy(0, 0, tile.width(), source_rows)
                   .scaled(fitted_width, std::max(1, scaled_rows), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        used = used.copy(0, 0, used.width(), std::min(used.height(), std::min(fitted_height, height)));
        tile_width = std::min(fitted_width, wide);
        used = used.copy(used.width() - tile_width, 0, tile_width, used.height());
    }
    used = opaque(used);
    strips->rows = used.height();
    // A fitted tile is laid in samples: sample p of pixel x takes column
    // (p + k x - k W) mod w, which repeats every w / gcd(w, k) pixels.
    const bool by_sample = !own_size && samples > 1;
    strips->count = by_sample ? samples : 1;
    strips->period = by_sample ? tile_width / std::gcd(tile_width, samples) : tile_width;
    strips->bytes.resize(3 * std::size_t(strips->period) * strips->count * strips->rows);
    for (int ty = 0; ty < strips->rows; ++ty) {
        const std::uint8_t* line = used.constScanLine(ty);
        for (int p = 0; p < strips->count; ++p) {
            std::uint8_t* strip = strips->bytes.data() + strips->offset(ty, p);
            for (int u = 0; u < strips->period; ++u) {
                const std::int64_t column = by_sample ? (p + std::int64_t(samples) * u) % tile_width : u;
                std::memcpy(strip + 3 * u, line + 3 * column, 3);
            }
        }
    }
    pattern.same_for_all_samples_ = !by_sample;
    pattern.strips_ = std::move(strips);
    return pattern;
}

void Pattern::fill(int y, int p, int x0, int x1, std::uint8_t* out) const
{
    switch (kind_) {
    case Kind::Dots: {
        const PixelRandom random(seed_, y);
        for (int x = x0; x < x1;) {
            std::uint64_t bits = random.group(x >> 6) >> (x & 63);
            for (const int end = std::min(x1, (x | 63) + 1); x < end; ++x, bits >>= 1, out += 3)
                std::memcpy(out, (bits & 1 ? colors_.second : colors_.first).data(), 3);
        }
        break;
    }
    case Kind::ColorDots: {
        const PixelRandom random(seed_, y);
        const auto count = static_cast<std::uint32_t>(palette_.size());
        for (int x = x0; x < x1;) {
            std::uint64_t bits = random.group(x >> 2) >> (16 * (x & 3));
            for (const int end = std::min(x1, (x | 3) + 1); x < end; ++x, bits >>= 16, out += 3)
                std::memcpy(out, palette_[((bits & 0xFFFF) * count) >> 16].data(), 3);
        }
        break;
    }
    case Kind::Image:
        copy_periodic(strips_->bytes.data() + strips_->offset(y, p), strips_->period, strips_->width, x0, x1, out);
        break;
    }
}

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
std::uint64_t row_key(std::uint64_t seed, int y)
{
    return mix(seed * 0x9E3779B97F4A7C15ull + std::uint64_t(y) + 1);
}

std::uint64_t group_bits(std::uint64_t key, int group)
{
    return mix(key + std::uint64_t(group) * 0xD1B54A32D192ED03ull);
}

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

// Copies pixels [x0, x1) of a row that repeats `period` pixels, pixel x
// being at place (x + shift) mod period of `strip`.
void copy_periodic(const std::uint8_t* strip, int period, int shift, int x0, int x1, std::uint8_t* out)
{
    int u = static_cast<int>(unsigned(x0 + shift) % unsigned(period));
    for (int x = x0; x < x1;) {
        const int n = std::min(period - u, x1 - x);
        // Most free stretches inside a picture are a pixel or two: no call for those.
        if (n <= 4) {
            for (int i = 0; i < 3 * n; ++i) out[i] = strip[3 * std::size_t(u) + i];
        } else {
            std::memcpy(out, strip + 3 * std::size_t(u), 3 * std::size_t(n));
        }
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
    auto octets = std::make_shared<std::array<std::array<std::uint8_t, 24>, 256>>();
    for (int v = 0; v < 256; ++v)
        for (int i = 0; i < 8; ++i)
            std::memcpy((*octets)[v].data() + 3 * i, ((v >> i) & 1 ? colors.second : colors.first).data(), 3);
    pattern.octets_ = std::move(octets);
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
    samples = pattern.samples_;
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
    const bool by_sample = !own_size && samples > 1;
    const int k = by_sample ? samples : 1;
    const int g = std::gcd(tile_width, k);
    strips->count = g;
    strips->period = tile_width / g;
    // Sample p = r + g m reads strip r from place t on, (k / g) t = m modulo U.
    for (int p = 0; p < samples; ++p) {
        int turn = 0;
        while (by_sample && std::int64_t(k / g) * turn % strips->period != (p / g) % strips->period) ++turn;
        strips->turn.push_back(turn);
    }
    strips->bytes.resize(3 * std::size_t(tile_width) * strips->rows);
    for (int ty = 0; ty < strips->rows; ++ty) {
        const std::uint8_t* line = used.constScanLine(ty);
        for (int r = 0; r < g; ++r) {
            std::uint8_t* strip = strips->bytes.data() + strips->offset(ty, r);
            for (int u = 0; u < strips->period; ++u)
                std::memcpy(strip + 3 * u, line + 3 * ((r + std::int64_t(k) * u) % tile_width), 3);
        }
    }
    pattern.same_for_all_samples_ = !by_sample;
    pattern.texture_period_ = by_sample ? tile_width : tile_width * samples;
    pattern.strips_ = std::move(strips);
    return pattern;
}

Pattern::Row Pattern::row(int y) const
{
    Row row;
    row.pattern_ = this;
    if (kind_ == Kind::Image) {
        // Pixel x lies (x - width) mod period into a strip, turned.
        const Strips& strips = *strips_;
        const int shift = (strips.width / strips.period + 1) * strips.period - strips.width;
        for (int p = 0; p < samples_; ++p) {
            row.strip_[p] = strips.bytes.data() + strips.offset(y, p % strips.count);
            row.shift_[p] = shift + strips.turn[p];
        }
    } else {
        row.key_ = row_key(seed_, y);
    }
    return row;
}

void Pattern::Row::fill(int p, int x0, int x1, int shift, std::uint8_t* out) const
{
    const Pattern& pattern = *pattern_;
    if (pattern.kind_ != Kind::Image || shift == 0) return fill(p, x0, x1, out);
    // Sample p of pixel x shifted is sample (p + shift) mod k of pixel x + (p + shift) / k.
    const int k = pattern.samples_;
    const int q = (p + shift) / k, r = (p + shift) % k;
    copy_periodic(strip_[r], pattern.strips_->period, shift_[r], x0 + q, x1 + q, out);
}

void Pattern::Row::fill(int p, int x0, int x1, std::uint8_t* out) const
{
    const Pattern& pattern = *pattern_;
    switch (pattern.kind_) {
    case Kind::Dots: {
        const DotColors& colors = pattern.colors_;
        const auto& octets = *pattern.octets_;
        for (int x = x0; x < x1;) {
            std::uint64_t bits = group_bits(key_, x >> 6) >> (x & 63);
            const int end = std::min(x1, (x | 63) + 1);
            // Eight at a time from a multiple of eight.
            for (; x < end && (x & 7) != 0; ++x, bits >>= 1, out += 3)
                std::memcpy(out, (bits & 1 ? colors.second : colors.first).data(), 3);
            for (; x + 8 <= end; x += 8, bits >>= 8, out += 24) std::memcpy(out, octets[bits & 0xFF].data(), 24);
            for (; x < end; ++x, bits >>= 1, out += 3)
                std::memcpy(out, (bits & 1 ? colors.second : colors.first).data(), 3);
        }
        break;
    }
    case Kind::ColorDots: {
        const auto count = static_cast<std::uint32_t>(pattern.palette_.size());
        for (int x = x0; x < x1;) {
            std::uint64_t bits = group_bits(key_, x >> 2) >> (16 * (x & 3));
            for (const int end = std::min(x1, (x | 3) + 1); x < end; ++x, bits >>= 16, out += 3)
                std::memcpy(out, pattern.palette_[((bits & 0xFFFF) * count) >> 16].data(), 3);
        }
        break;
    }
    case Kind::Image:
        copy_periodic(strip_[p], pattern.strips_->period, shift_[p], x0, x1, out);
        break;
    }
}

#pragma once
// What the free pixels of a stereogram show. Linking ties every pixel it can
// to a partner on its right; the pixels left free take their colour from the
// pattern, and all others copy their partner, so the pattern decides the
// look and the links the depth.
//
// An oversampled row has k samples per picture pixel (sample p of pixel x is
// the wide row's pixel k x + p); the pattern gives every sample its colour.
//
// Dots and coloured dots are one random dot per picture pixel, whatever k:
// the samples of a pixel share it, so an oversampled picture keeps dots of
// the same size and only blends where depth shifts them by part of a pixel.
// Plain two-colour dots at k = 1 are the classic picture, coloured by the
// row's own generator (see StereogramRows).
//
// The image tile. Sizing: by default the tile is scaled, smoothly and in
// proportion, so that its width is the repeat of the background: the
// separation, in 1/k pixel steps, of the height most of the depth map lies
// at (for a drawing the zero level as a rule, for a depth-map image its
// black). With "own size" it keeps its pixels, one tile pixel per picture
// pixel. Sampling: the tile is laid edge to edge leftward from the right
// end of every row and downward from the top: in a row at one depth a free
// sample takes the tile pixel lying under it, column (X - row width) modulo
// the tile width, X in samples, and row y modulo the tile height, so the
// background shows the fitted tile whole and side by side. Elsewhere a free
// sample continues the texture of its right neighbour (see StereogramRows):
// the tile is read with a shift, reckoned modulo texture_period().
#include "veride/dot_colors.h"
#include <QImage>
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

using Rgb = std::array<std::uint8_t, 3>;

// `count` colours drawn from the seed, the same for the same seed: hues go
// round the colour circle by the golden angle from a random start, light and
// dark in turn, each with a random saturation and brightness in its band.
std::vector<Rgb> dot_palette(std::uint64_t seed, int count);

class Pattern {
public:
    // Samples per pixel are 1 to this many; more are taken as this many.
    static constexpr int most_samples = 8;

    static Pattern dots(std::uint64_t seed, DotColors colors, int samples = 1);
    static Pattern color_dots(std::uint64_t seed, int count, int samples = 1);
    // A tile for a picture of width x height pixels at `samples` per pixel;
    // `repeat` is the background's separation in samples, the width a
    // fitted tile gets. `tile` must not be null.
    static Pattern image(const QImage& tile, bool own_size, int repeat, int samples, int width, int height);

    int samples() const { return samples_; }
    // Two-colour dots at whole pixels: the classic picture.
    bool classic() const { return kind_ == Kind::Dots && samples_ == 1; }
    std::uint64_t seed() const { return seed_; }
    const DotColors& colors() const { return colors_; }

    // Whether all samples of a pixel take the same colour.
    bool same_for_all_samples() const { return same_for_all_samples_; }

    // An image tile: free samples continue its texture from their
    // neighbours, where dots have none to continue.
    bool textured() const { return kind_ == Kind::Image; }
    // The samples after which a textured row repeats: the tile's width in
    // samples.
    int texture_period() const { return texture_period_; }

    // The colours of row y, worked out once for the many stretches of a row.
    class Row {
    public:
        // Sample p of pixels [x0, x1), 3 bytes R, G, B each, from `out`.
        void fill(int p, int x0, int x1, std::uint8_t* out) const;
        // The same, each sample coloured as the sample `shift` places right
        // of it would be, shift in [0, texture_period()); dots ignore it.
        void fill(int p, int x0, int x1, int shift, std::uint8_t* out) const;
        bool textured() const { return pattern_->textured(); }

    private:
        friend class Pattern;
        const Pattern* pattern_ = nullptr;
        std::uint64_t key_ = 0; // dots: the row's random key
        // Image: each sample's strip, and what makes pixel x's place in it
        // (x + shift) mod period, with x + shift >= 0.
        std::array<const std::uint8_t*, most_samples> strip_{};
        std::array<int, most_samples> shift_{};
    };
    Row row(int y) const;

    void fill(int y, int p, int x0, int x1, std::uint8_t* out) const { row(y).fill(p, x0, x1, out); }

private:
    enum class Kind { Dots, ColorDots, Image };
    Pattern(Kind kind, std::uint64_t seed, int samples)
        : kind_(kind), samples_(std::clamp(samples, 1, most_samples)), seed_(seed)
    {
    }

    // The tile as it is sampled. Sample p of pixel x takes tile column
    // (p + k (x - W)) mod w, W the picture's width and w the tile's in
    // samples, which repeats every U = w / g pixels, g = gcd(w, k). The
    // columns sample p takes over one period are those of sample p mod g,
    // turned by a number of places: so each tile row is kept as g strips
    // of U pixels (w pixels in all), and every sample reads one of them
    // from its own place. A tile of its own size is one strip per row.
    struct Strips {
        int rows = 0;
        int period = 0; // U
        int count = 0;  // strips per tile row: g
        int width = 0;  // the picture's width in pixels
        std::vector<int> turn; // per sample: how many places on it reads its strip
        std::vector<std::uint8_t> bytes;
        std::size_t offset(int y, int strip) const
        {
            return 3 * std::size_t(period) * (std::size_t(y % rows) * count + strip);
        }
    };

    Kind kind_;
    int samples_;
    std::uint64_t seed_;
    bool same_for_all_samples_ = true;
    int texture_period_ = 0;
    DotColors colors_;
    // Dots: the pixels of eight dots for every eight random bits, the first
    // pixel from the lowest bit.
    std::shared_ptr<const std::array<std::array<std::uint8_t, 24>, 256>> octets_;
    std::vector<Rgb> palette_;
    std::shared_ptr<const Strips> strips_;
};

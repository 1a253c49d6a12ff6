#include "core/raster.h"
#include <new>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define DIORAMIX_SSE2 1
#endif

namespace {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

Rgb rgb_of(StoredColor c)
{
    return {static_cast<std::uint8_t>(red_of(c)), static_cast<std::uint8_t>(green_of(c)),
            static_cast<std::uint8_t>(blue_of(c))};
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

// Rows are handled in blocks of 16 pixels, 48 bytes. A block's pixel mask
// is a word whose bit j stands for byte j, so each pixel owns three bits and
// shifting by 3 moves a mask by one pixel.
constexpr int block_pixels = 16;
constexpr int block_bytes = 3 * block_pixels;
constexpr std::uint64_t whole_block = 0xFFFFFFFFFFFFull;
constexpr std::uint64_t pixel_starts = 0x249249249249ull; // the first bit of each pixel
constexpr std::uint64_t one_pixel = 7;
constexpr int last_pixel_shift = 3 * (block_pixels - 1);

// One colour repeated over a block.
struct Pattern {
    alignas(16) std::uint8_t bytes[block_bytes];
#if DIORAMIX_SSE2
    __m128i lane(int k) const { return _mm_load_si128(reinterpret_cast<const __m128i*>(bytes) + k); }
#endif
};

Pattern pattern_of(Rgb c)
{
    Pattern p;
    for (int i = 0; i < block_pixels; ++i) put(p.bytes + 3 * i, c);
    return p;
}

#if DIORAMIX_SSE2

// The bits of the pixels of a block that have the pattern's colour.
inline std::uint64_t match_mask(const std::uint8_t* block, const Pattern& colour)
{
    const auto* in = reinterpret_cast<const __m128i*>(block);
    const std::uint64_t bytes = std::uint64_t(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(in), colour.lane(0))))
        | std::uint64_t(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(in + 1), colour.lane(1)))) << 16
        | std::uint64_t(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(in + 2), colour.lane(2)))) << 32;
    const std::uint64_t pixels = bytes & (bytes >> 1) & (bytes >> 2) & pixel_starts;
    return pixels * one_pixel;
}

// 16 mask bits as 16 bytes of 0x00 or 0xFF.
inline __m128i byte_lanes(unsigned bits)
{
    const __m128i select = _mm_set1_epi64x(0x8040201008040201ll);
    const __m128i spread = _mm_set_epi64x(static_cast<long long>((bits >> 8) * 0x0101010101010101ull),
                                          static_cast<long long>((bits & 0xFF) * 0x0101010101010101ull));
    return _mm_cmpeq_epi8(_mm_and_si128(spread, select), select);
}

// Writes `first` into the bytes of `a`, `second` into those of `b` (masks
// without common bits); the other bytes keep their values.
inline void put_masked(std::uint8_t* block, std::uint64_t a, const Pattern& first, std::uint64_t b,
                       const Pattern& second)
{
    auto* out = reinterpret_cast<__m128i*>(block);
    for (int k = 0; k < 3; ++k, a >>= 16, b >>= 16) {
        const unsigned a16 = a & 0xFFFF;
        const unsigned b16 = b & 0xFFFF;
        if ((a16 | b16) == 0) continue;
        if (a16 == 0xFFFF) {
            _mm_storeu_si128(out + k, first.lane(k));
        } else if (b16 == 0xFFFF) {
            _mm_storeu_si128(out + k, second.lane(k));
        } else {
            const __m128i ma = byte_lanes(a16);
            const __m128i mb = byte_lanes(b16);
            const __m128i keep = _mm_andnot_si128(_mm_or_si128(ma, mb), _mm_loadu_si128(out + k));
            const __m128i chosen = _mm_or_si128(_mm_and_si128(ma, first.lane(k)), _mm_and_si128(mb, second.lane(k)));
            _mm_storeu_si128(out + k, _mm_or_si128(keep, chosen));
        }
    }
}

#else

inline std::uint64_t match_mask(const std::uint8_t* block, const Pattern& colour)
{
    std::uint64_t mask = 0;
    for (int i = 0; i < block_pixels; ++i)
        if (std::memcmp(block + 3 * i, colour.bytes, 3) == 0) mask |= one_pixel << (3 * i);
    return mask;
}

inline void put_masked(std::uint8_t* block, std::uint64_t a, const Pattern& first, std::uint64_t b,
                       const Pattern& second)
{
    for (int j = 0; j < block_bytes; ++j) {
        if ((a >> j) & 1) block[j] = first.bytes[j];
        else if ((b >> j) & 1) block[j] = second.bytes[j];
    }
}

#endif

// A row's last block when the width is not a multiple of 16: worked on in a
// copy, so that no byte past the row's pixels is read or written. The pixels
// beyond the row take `padding`.
struct TailBlock {
    std::uint8_t bytes[block_bytes];
    int used; // bytes of the row in the block

    TailBlock(const std::uint8_t* row_tail, int pixels, const Pattern& padding) : used(3 * pixels)
    {
        std::memcpy(bytes, padding.bytes, block_bytes);
        std::memcpy(bytes, row_tail, used);
    }
    void store(std::uint8_t* row_tail) const { std::memcpy(row_tail, bytes, used); }
};

// The background masks of a row's blocks; pixels beyond the row count as
// background, which gives the last column its edge.
void background_masks(const std::uint8_t* row, int width, const Pattern& background, std::uint64_t* masks)
{
    const int full = width / block_pixels;
    for (int k = 0; k < full; ++k) masks[k] = match_mask(row + k * block_bytes, background);
    if (const int rest = width % block_pixels) {
        const TailBlock tail(row + full * block_bytes, rest, background);
        masks[full] = match_mask(tail.bytes, background);
    }
}

// With an edge of the background colour every figure pixel turns into
// background: each one's left neighbour has either just done so or is the
// background or the border.
void clear_figures(QImage& image, const Pattern& background)
{
    const int row_bytes = 3 * image.width();
    for (int y = 0; y < image.height(); ++y) {
        std::uint8_t* row = image.scanLine(y);
        for (int at = 0; at < row_bytes; at += block_bytes)
            std::memcpy(row + at, background.bytes, std::min(block_bytes, row_bytes - at));
    }
}

// The edge pixels among `open` pixels, figure pixels whose only possible
// background neighbour is the left one, when the fill colour is the
// background: a pixel filled becomes background for its right neighbour, so
// along a run of such pixels edge and fill alternate, starting with edge
// when the pixel before the run is background (`left_background`).
std::uint64_t alternating_edges(std::uint64_t open, std::uint64_t left_background)
{
    constexpr std::uint64_t even_pixels = 0x1C71C71C71C7ull; // pixels 0, 2, 4, ...
    const std::uint64_t starts = open & ~(open << 3);
    // Runs whose edge pixels have even indices: an even start after
    // background or an odd start after an edge.
    const std::uint64_t even_starts =
        (starts & even_pixels & left_background) | (starts & ~even_pixels & ~left_background);
    // Adding a run's first bit carries through the run and clears it.
    const std::uint64_t even_runs = open & ~(open + (even_starts & pixel_starts));
    const std::uint64_t odd_runs = open & ~even_runs;
    return (even_runs & even_pixels) | (odd_runs & ~even_pixels);
}

// The pass, a row at a time on 16-pixel blocks. The background masks of the
// row below are taken before the row is rewritten, those of the row above
// after it, so a fill of the background colour is seen as background by the
// pixels examined later, as the in-place rule has it.
void outline_blocks(QImage& image, Rgb background, Rgb fill, Rgb edge)
{
    const int w = image.width();
    const int h = image.height();
    const int blocks = (w + block_pixels - 1) / block_pixels;
    const int full = w / block_pixels;
    const Pattern g = pattern_of(background);
    const Pattern f = pattern_of(fill);
    const Pattern e = pattern_of(edge);
    const bool fill_clears = fill == background;

    // Rows above the first and below the last count as background, which
    // gives the first and last rows their edge.
    std::vector<std::uint64_t> masks(3 * static_cast<size_t>(blocks), whole_block);
    std::uint64_t* above = masks.data();
    std::uint64_t* here = above + blocks;
    std::uint64_t* below = here + blocks;
    background_masks(image.constScanLine(0), w, g, here);

    for (int y = 0; y < h; ++y) {
        if (y + 1 < h) {
            background_masks(image.constScanLine(y + 1), w, g, below);
        } else {
            std::fill(below, below + blocks, whole_block);
        }
        std::uint8_t* row = image.scanLine(y);
        std::uint64_t left_of_block = one_pixel; // the first column has its edge
        for (int k = 0; k < blocks; ++k) {
            const std::uint64_t bg = here[k];
            const std::uint64_t figure = ~bg & whole_block;
            const std::uint64_t right_of_block = k + 1 < blocks ? here[k + 1] & one_pixel : one_pixel;
            const std::uint64_t left = ((bg << 3) | left_of_block) & whole_block;
            const std::uint64_t right = (bg >> 3) | (right_of_block << last_pixel_shift);
            std::uint64_t edge_pixels;
            if (!fill_clears) {
                edge_pixels = (left | right | above[k] | below[k]) & figure;
            } else {
                const std::uint64_t forced = (right | above[k] | below[k]) & figure;
                edge_pixels = forced | alternating_edges(figure & ~forced, left);
            }
            const std::uint64_t body_pixels = figure & ~edge_pixels;
            if (fill_clears) here[k] |= body_pixels;
            left_of_block = here[k] >> last_pixel_shift;
            if (figure == 0) continue;
            if (k < full) {
                put_masked(row + k * block_bytes, edge_pixels, e, body_pixels, f);
            } else {
                TailBlock tail(row + k * block_bytes, w - k * block_pixels, g);
                put_masked(tail.bytes, edge_pixels, e, body_pixels, f);
                tail.store(row + k * block_bytes);
            }
        }
        std::uint64_t* done = above;
        above = here;
        here = below;
        below = done;
    }
}

} // namespace

QImage make_buffer(int width, int height, StoredColor fill)
{
    QImage image(qMax(0, width), qMax(0, height), QImage::Format_RGB888);
    image.fill(to_qcolor(fill));
    return image;
}

void require_pixels(const QImage& image)
{
    if (image.isNull()) throw std::bad_alloc();
}

void outline_pass(QImage& image, StoredColor background, StoredColor fill, StoredColor edge)
{
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) return;
    ensure_rgb888(image);
    // Only the three channels count: a colour with bits above them is still
    // the background when its channels match.
    const StoredColor g = background & 0xFFFFFF;
    if ((edge & 0xFFFFFF) == g) {
        clear_figures(image, pattern_of(rgb_of(background)));
    } else {
        outline_blocks(image, rgb_of(background), rgb_of(fill), rgb_of(edge));
    }
}

void replace_color(QImage& image, StoredColor from, StoredColor to)
{
    if (image.isNull() || from == to) return;
    ensure_rgb888(image);
    const Pattern old_colour = pattern_of(rgb_of(from));
    const Pattern new_colour = pattern_of(rgb_of(to));
    const int w = image.width();
    const int full = w / block_pixels;
    const int rest = w % block_pixels;
    for (int y = 0; y < image.height(); ++y) {
        std::uint8_t* row = image.scanLine(y);
        for (int k = 0; k < full; ++k) {
            std::uint8_t* block = row + k * block_bytes;
            if (const std::uint64_t hits = match_mask(block, old_colour))
                put_masked(block, hits, new_colour, 0, new_colour);
        }
        if (rest) {
            // Only the row's own bytes of the copy are stored back.
            TailBlock tail(row + full * block_bytes, rest, new_colour);
            if (const std::uint64_t hits = match_mask(tail.bytes, old_colour)) {
                put_masked(tail.bytes, hits, new_colour, 0, new_colour);
                tail.store(row + full * block_bytes);
            }
        }
    }
}

StoredColor pixel_color(const QImage& image, int x, int y)
{
    if (image.format() == QImage::Format_RGB888) {
        const std::uint8_t* p = image.constScanLine(y) + 3 * x;
        return rgb_color(p[0], p[1], p[2]);
    }
    return from_qcolor(image.pixelColor(x, y));
}

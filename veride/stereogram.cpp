#include "veride/stereogram.h"
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <numeric>
#include <thread>
#include <type_traits>

namespace {

// A small fast generator; one per row, seeded from the render seed and the
// row, so the image does not depend on the order rows are done in.
class RowRandom {
public:
    RowRandom(std::uint64_t seed, int y) : state_(seed * 0x9E3779B97F4A7C15ull + std::uint64_t(y) + 1) {}

    bool bit()
    {
        if (left_ == 0) {
            bits_ = next();
            left_ = 64;
        }
        const bool b = bits_ & 1;
        bits_ >>= 1;
        --left_;
        return b;
    }

    // The next eight bits, the first in the lowest place.
    std::uint8_t octet()
    {
        if (left_ >= 8) {
            const auto b = static_cast<std::uint8_t>(bits_);
            bits_ >>= 8;
            left_ -= 8;
            return b;
        }
        std::uint8_t b = 0;
        for (int i = 0; i < 8; ++i) b |= std::uint8_t(bit() << i);
        return b;
    }

private:
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    std::uint64_t state_;
    std::uint64_t bits_ = 0;
    int left_ = 0;
};

// The largest value within `radius` of every position (van Herk / Gil-Werman:
// three comparisons per pixel whatever the radius). Near the row's ends the
// result may be larger than the true window's, never smaller.
void window_max(const std::int32_t* in, int n, int radius, std::vector<std::int32_t>& out,
                std::vector<std::int32_t>& prefix, std::vector<std::int32_t>& suffix)
{
    out.resize(n);
    prefix.resize(n);
    suffix.resize(n);
    const int block = static_cast<int>(std::min<std::int64_t>(2 * std::int64_t(radius) + 1, n));
    for (int start = 0; start < n; start += block) {
        const int end = std::min(n, start + block);
        prefix[start] = in[start];
        for (int i = start + 1; i < end; ++i) prefix[i] = std::max(prefix[i - 1], in[i]);
        suffix[end - 1] = in[end - 1];
        for (int i = end - 2; i >= start; --i) suffix[i] = std::max(suffix[i + 1], in[i]);
    }
    for (int x = 0; x < n; ++x) {
        const int a = static_cast<int>(std::max<std::int64_t>(0, std::int64_t(x) - radius));
        const int b = static_cast<int>(std::min<std::int64_t>(n - 1, std::int64_t(x) + radius));
        out[x] = std::max(suffix[a], prefix[b]);
    }
}

// Links are compared 32 at a time while nothing changes, which the
// compiler turns into vector instructions.
constexpr int lanes = 32;

// Rows with runs this short on average are linked pixel by pixel.
constexpr int shortest_average_run = 16;

} // namespace

StereogramRows::StereogramRows(const DepthMap& map, const StereoGeometry& geometry,
                               const SeparationTable& separations, std::uint64_t seed, DotColors colors)
    : StereogramRows(map, geometry, separations, Pattern::dots(seed, colors))
{
}

StereogramRows::StereogramRows(const DepthMap& map, const StereoGeometry& geometry,
                               const SeparationTable& separations, Pattern pattern)
    : map_(map), geometry_(geometry), separations_(separations), pattern_(std::move(pattern)),
      seed_(pattern_.seed()), colors_(pattern_.colors())
{
    // Dots are used right to left: the leftmost of eight pixels takes the last bit.
    for (int v = 0; v < 256; ++v)
        for (int i = 0; i < 8; ++i)
            std::memcpy(octets_[v].data() + 3 * i, ((v >> (7 - i)) & 1 ? colors_.second : colors_.first).data(), 3);
}

bool StereogramRows::visible_within(const std::int32_t* row, int x, std::int32_t bound) const
{
    const std::int32_t z = row[x];
    if (bound <= z) return true; // nothing near is higher than the point
    const double rise = geometry_.sight_rise_per_px(z);
    const int width = map_.width;
    const int k = pattern_.samples();
    if (k > 1 && rise > 0) {
        // An oversampled row holds every height for k samples: of each
        // neighbouring pixel, the sample nearest x is the first to hide it.
        const int pixel = x / k, pixels = width / k;
        for (int j = 1;; ++j) {
            const int right = k * (pixel + j) - x, left = x - (k * (pixel - j) + k - 1);
            const bool in_right = pixel + j < pixels, in_left = pixel - j >= 0;
            if (in_right && row[k * (pixel + j)] >= z + right * rise) return false;
            if (in_left && row[k * (pixel - j)] >= z + left * rise) return false;
            if ((!in_right || z + right * rise > bound) && (!in_left || z + left * rise > bound)) return true;
        }
    }
    for (int t = 1;; ++t) {
        const double zt = z + t * rise;
        if (zt > bound) return true;
        if ((x - t >= 0 && row[x - t] >= zt) || (x + t < width && row[x + t] >= zt)) return false;
        if (x - t < 0 && x + t >= width) return true;
    }
}

bool StereogramRows::visible(int y, int x) const
{
    const std::vector<std::int32_t> row = map_.heights(y);
    return visible_within(row.data(), x, *std::max_element(row.begin(), row.end()));
}

namespace {

// Links two pixels that must share a colour, following the links already
// made from the left one so that every pixel keeps one link to its right.
// Returns the pixel whose link it set.
int chain_link(int left, int right, StereogramRows::Offset* link)
{
    for (int k = left + link[left]; k != left && k != right; k = left + link[left]) {
        if (k < right) {
            left = k;
        } else {
            left = right;
            right = k;
        }
    }
    link[left] = static_cast<StereogramRows::Offset>(right - left);
    return left;
}

} // namespace

// Links the two images of the point at x unless it is hidden; nothing near
// x rises above `bound`.
void StereogramRows::link_pixel(int y, int x, const std::int32_t* row, std::int32_t bound, Offset* link) const
{
    const int sep = separations_(row[x]);
    const int left = x - (sep + (sep & y & 1)) / 2;
    if (left < 0 || left + sep >= map_.width || sep <= 0) return;
    if (visible_within(row, x, bound)) chain_link(left, left + sep, link);
}

// Whether the point at x of run i is seen by both eyes. A higher run hides
// it if it rises to the line of sight at its nearest pixel, where it comes
// closest; runs beyond `reach` pixels are below every line of sight.
bool StereogramRows::visible_among(const std::vector<Run>& runs, std::size_t i, int x, double rise,
                                   double reach) const
{
    const std::int32_t z = runs[i].z;
    for (std::size_t j = i; j-- > 0;) {
        const int t = x - (runs[j].end - 1);
        if (t > reach) break;
        if (runs[j].z > z && runs[j].z >= z + t * rise) return false;
    }
    for (std::size_t j = i + 1; j < runs.size(); ++j) {
        const int t = runs[j].begin - x;
        if (t > reach) break;
        if (runs[j].z > z && runs[j].z >= z + t * rise) return false;
    }
    return true;
}

void StereogramRows::link_pixel_by_pixel(int y, Scratch& s) const
{
    const int width = map_.width;
    const std::int32_t* row = s.row.data();
    const int k = pattern_.samples();
    Offset* link = s.link.data();
    // Lines of sight climb at least this much per pixel, so no point needs
    // looking further than `reach` pixels for what could hide it.
    const auto [low, high] = std::minmax_element(row, row + width);
    const double slowest = geometry_.sight_rise_per_px(*high);
    const double reach = slowest > 0 ? std::ceil((double(*high) - *low) / slowest) : double(width);
    if (k == 1) {
        window_max(row, width, static_cast<int>(std::min<double>(reach, width)), s.window_max, s.prefix, s.suffix);
        for (int x = 0; x < width; ++x) link_pixel(y, x, row, s.window_max[x], link);
        return;
    }
    // Oversampled, the heights within reach are bounded pixel by pixel.
    const int pixels = width / k;
    s.pixel_row.resize(pixels);
    for (int i = 0; i < pixels; ++i) s.pixel_row[i] = row[k * i];
    const int radius = static_cast<int>(std::min<double>(std::ceil(reach / k) + 1, pixels));
    window_max(s.pixel_row.data(), pixels, radius, s.window_max, s.prefix, s.suffix);
    // The k samples of a pixel share its height and separation, and their
    // left images lie side by side. A nearer surface on one side hides ever
    // more of them, on the other ever fewer: when the first and the last are
    // seen, so are all. Those of their left images that are not linked
    // elsewhere yet are linked at once, as one by one would.
    for (int x = 0; x < width; x += k) {
        const std::int32_t bound = s.window_max[x / k];
        const int sep = separations_(row[x]);
        const int left = x - (sep + (sep & y & 1)) / 2;
        const bool whole = sep > 0 && left >= 0 && left + k - 1 + sep < width &&
                           geometry_.sight_rise_per_px(row[x]) > 0 && visible_within(row, x, bound) &&
                           visible_within(row, x + k - 1, bound);
        if (!whole) {
            for (int p = 0; p < k; ++p) link_pixel(y, x + p, row, bound, link);
            continue;
        }
        int linked = 0;
        for (int p = 0; p < k; ++p) linked |= int(link[left + p] != 0) & int(link[left + p] != sep);
        if (!linked) {
            std::fill(link + left, link + left + k, static_cast<Offset>(sep));
        } else {
            for (int p = 0; p < k; ++p) chain_link(left + p, left + p + sep, link);
        }
    }
}

// Links run i of the row. Only pixels within reach of a higher run can be
// hidden; the stretch between them is linked in one sweep when none of its
// left images is linked yet, which gives the same links as pixel by pixel.
void StereogramRows::link_run(int y, const std::vector<Run>& runs, std::size_t i, std::int32_t top,
                              Scratch& s) const
{
    const int width = map_.width;
    const Run& run = runs[i];
    const int sep = separations_(run.z);
    if (sep <= 0) return;
    const int half = (sep + (sep & y & 1)) / 2;
    // Pixels whose two images both lie on the row.
    const int first = std::max(run.begin, half);
    const int last = static_cast<int>(std::min<std::int64_t>(run.end, std::int64_t(width) - sep + half));
    if (first >= last) return;
    const std::int32_t* row = s.row.data();
    Offset* link = s.link.data();

    // [clear_begin, clear_end): the pixels no higher run is near enough to hide.
    int clear_begin = run.begin, clear_end = run.end;
    const double rise = geometry_.sight_rise_per_px(run.z);
    const double reach = rise > 0 ? std::min((double(top) - run.z) / rise, double(width)) + 1 : double(width);
    if (top > run.z) {
        if (rise <= 0) {
            clear_begin = run.end;
        } else {
            auto hiding = [&](const Run& other) {
                return std::min((double(other.z) - run.z) / rise, double(width));
            };
            for (std::size_t j = i; j-- > 0 && run.begin - (runs[j].end - 1) <= reach;)
                if (runs[j].z > run.z)
                    clear_begin = std::max(clear_begin, runs[j].end + int(hiding(runs[j])) + 1);
            for (std::size_t j = i + 1; j < runs.size() && runs[j].begin - (run.end - 1) <= reach; ++j)
                if (runs[j].z > run.z) clear_end = std::min(clear_end, runs[j].begin - int(hiding(runs[j])) - 1);
        }
    }
    const int sweep_begin = std::clamp(clear_begin, first, last);
    const int sweep_end = std::clamp(clear_end, sweep_begin, last);
    auto link_near_higher = [&](int from, int to) {
        for (int x = from; x < to; ++x)
            if (rise > 0 ? visible_among(runs, i, x, rise, reach) : visible_within(row, x, top))
                s.last_linked = std::max(s.last_linked, chain_link(x - half, x - half + sep, link));
    };

    link_near_higher(first, sweep_begin);
    const int left0 = sweep_begin - half;
    const int count = sweep_end - sweep_begin;
    // Block by block, in order: a block none of whose left images is linked
    // elsewhere yet is filled at once, any other is linked pixel by pixel.
    // Beyond the last pixel linked so far, the rest is filled unchecked.
    auto sweep = [&](int k, int n) {
        Offset* lefts = link + left0 + k;
        int linked = 0;
        for (int i = 0; i < n; ++i) linked |= int(lefts[i] != 0) & int(lefts[i] != sep);
        if (!linked) {
            std::fill(lefts, lefts + n, static_cast<Offset>(sep));
        } else {
            for (int i = 0; i < n; ++i)
                s.last_linked = std::max(s.last_linked, chain_link(left0 + k + i, left0 + k + i + sep, link));
        }
    };
    int k = 0;
    for (; k < count && left0 + k <= s.last_linked; k += lanes) sweep(k, std::min(lanes, count - k));
    if (k < count) {
        std::fill(link + left0 + k, link + left0 + count, static_cast<Offset>(sep));
        s.swept.push_back({left0 + k, left0 + count, sep});
    }
    if (count > 0) s.last_linked = std::max(s.last_linked, left0 + count - 1);
    link_near_higher(sweep_end, last);
}

void StereogramRows::link(int y, Scratch& s) const
{
    const int width = map_.width;
    s.link.assign(width, 0);
    s.swept.clear();
    if (width == 0) return;
    const auto runs = map_.row(y);
    s.runs.clear();
    for (std::size_t i = 0; i < runs.size(); ++i)
        s.runs.push_back({runs[i].begin, i + 1 < runs.size() ? runs[i + 1].begin : width, runs[i].z});
    std::int32_t top = s.runs.front().z;
    for (const Run& run : s.runs) top = std::max(top, run.z);
    // The heights pixel by pixel, for rows that need looking at that closely.
    const bool by_pixel = s.runs.size() * shortest_average_run > std::size_t(width);
    if (by_pixel || geometry_.sight_rise_per_px(top) <= 0) {
        s.row.resize(width);
        map_.heights(y, s.row.data());
    }
    if (by_pixel) {
        link_pixel_by_pixel(y, s);
        return;
    }
    s.last_linked = -1;
    for (std::size_t i = 0; i < s.runs.size(); ++i) link_run(y, s.runs, i, top, s);
}

// The links as stretches of one offset, right to left. The sweeps' stretches
// are known; only the pixels between them are looked at.
void StereogramRows::plan(Scratch::Plan& plan, const std::vector<Offset>& link, std::vector<Stretch>& swept) const
{
    plan.stretches.clear();
    std::sort(swept.begin(), swept.end(), [](const Stretch& a, const Stretch& b) { return a.begin > b.begin; });
    // Neighbours of one offset make one stretch, so that it is copied in
    // as few pieces as possible.
    auto add = [&](const Stretch& s) {
        if (!plan.stretches.empty() && plan.stretches.back().offset == s.offset &&
            plan.stretches.back().begin == s.end)
            plan.stretches.back().begin = s.begin;
        else
            plan.stretches.push_back(s);
    };
    std::size_t next = 0; // the next swept stretch to the left
    for (int x = map_.width - 1; x >= 0;) {
        if (next < swept.size() && x < swept[next].end) {
            add(swept[next]);
            x = swept[next++].begin - 1;
            continue;
        }
        const int floor = next < swept.size() ? swept[next].end : 0;
        const int offset = link[x];
        int begin = x;
        for (; begin - lanes >= floor; begin -= lanes) {
            int differ = 0;
            for (int k = 1; k <= lanes; ++k) differ |= link[begin - k] ^ offset;
            if (differ) break;
        }
        while (begin > floor && link[begin - 1] == offset) --begin;
        add({begin, x + 1, offset});
        x = begin - 1;
    }
}

// Textures. Rows are laid from the right end, as a level row takes the
// tile; a free sample continues the texture of its right neighbour, and a
// linked one takes its partner's. Kept as a texture column per sample,
// modulo the tile's period:
//   free x:   column(x) = column(x + 1) - 1, x itself at the right end;
//   linked x: column(x) = column(x + offset).
// A level row shows column x at x. A free stretch shows the tile shifted by
// column(x) - x, the same all along it; where depth changes the texture
// stretches or shrinks by a sample instead of breaking off.

namespace {

// v modulo the period, in [0, period).
inline int modulo(int v, int period)
{
    const int r = v % period;
    return r < 0 ? r + period : r;
}

// Columns [begin, end) of a free stretch, counting down from column(end).
inline void count_down(std::int32_t* column, int begin, int end, int period)
{
    int c = column[end];
    for (int x = end - 1; x >= begin; --x) {
        c = c == 0 ? period - 1 : c - 1;
        column[x] = c;
    }
}

} // namespace

// The shift of every free stretch among `stretches` (right to left): the
// texture column of the sample right of it less that sample's place. A row
// of few free stretches among wide offsets follows each one's links to the
// right, a stretch at a time; others work out the column of every sample,
// stretch by stretch.
void StereogramRows::shift_free(std::vector<Stretch>& stretches, Scratch& s) const
{
    const int wide = map_.width, period = pattern_.texture_period();
    std::size_t free = 0;
    int widest_offset = 1;
    for (const Stretch& stretch : stretches) {
        free += stretch.offset == 0;
        widest_offset = std::max(widest_offset, int(stretch.offset));
    }
    // Following a free stretch's links takes about wide / offset hops of a
    // binary search each; the columns cost a pass over the row.
    if (stretches.size() * 64 <= std::size_t(wide) && free * 8 <= std::size_t(widest_offset)) {
        for (auto at_free = stretches.begin(); at_free != stretches.end(); ++at_free) {
            if (at_free->offset != 0) continue;
            int x = at_free->end, shift = 0;
            auto at = at_free;
            while (x < wide) {
                // The stretch that holds x, right of the last one.
                at = std::partition_point(stretches.begin(), at, [x](const Stretch& s) { return s.begin > x; });
                if (at->offset == 0) {
                    shift += at->shift;
                    break;
                }
                shift = modulo(shift + at->offset, period);
                x += at->offset;
            }
            at_free->shift = modulo(shift, period);
        }
        return;
    }
    s.texel.resize(std::size_t(wide) + 1);
    std::int32_t* column = s.texel.data();
    column[wide] = modulo(wide, period);
    for (Stretch& stretch : stretches) {
        if (stretch.offset == 0) {
            count_down(column, stretch.begin, stretch.end, period);
            stretch.shift = modulo(column[stretch.end] - stretch.end, period);
            continue;
        }
        // In pieces no longer than the offset, each from columns already final.
        for (int x = stretch.end; x > stretch.begin;) {
            const int n = std::min(stretch.offset, x - stretch.begin);
            x -= n;
            std::memcpy(column + x, column + x + stretch.offset, sizeof *column * std::size_t(n));
        }
    }
}

// Free pixels get random dots; a linked stretch is copied from its offset
// in pieces no longer than the offset, each from pixels already final.
void StereogramRows::paint(const std::vector<Stretch>& stretches, int y, std::uint8_t* out) const
{
    RowRandom random(seed_, y);
    for (const Stretch& s : stretches) {
        if (s.offset == 0) {
            int x = s.end;
            for (; x - 8 >= s.begin; x -= 8) std::memcpy(out + 3 * (x - 8), octets_[random.octet()].data(), 24);
            while (--x >= s.begin) std::memcpy(out + 3 * x, (random.bit() ? colors_.second : colors_.first).data(), 3);
            continue;
        }
        // The stretch repeats the `offset` pixels right of it; every piece is
        // copied from those, not from the piece just written.
        const std::uint8_t* period = out + 3 * std::size_t(s.end);
        for (int x = s.end; x > s.begin;) {
            const int n = std::min(s.offset, x - s.begin);
            x -= n;
            std::memcpy(out + 3 * x, period + 3 * std::size_t(s.offset - n), 3 * std::size_t(n));
        }
    }
}

namespace {

// Each picture pixel is the mean of its k samples, rounded to the nearest.
template <int K>
[[gnu::always_inline]] inline void mean_of_samples(const std::uint8_t* samples, std::size_t plane, std::size_t width, std::uint8_t* out)
{
    for (std::size_t i = 0; i < width; ++i) {
        unsigned sum = K / 2;
        for (int p = 0; p < K; ++p) sum += samples[p * plane + i];
        out[i] = static_cast<std::uint8_t>(sum / K);
    }
}

// `width` bytes from each of k rows `plane` bytes apart.
#if defined(__GNUC__) && defined(__x86_64__) && defined(__linux__)
[[gnu::target_clones("avx2", "default")]]
#endif
void mean_of_samples(int k, const std::uint8_t* samples, std::size_t plane, std::size_t width, std::uint8_t* out)
{
    switch (k) {
    case 2: return mean_of_samples<2>(samples, plane, width, out);
    case 3: return mean_of_samples<3>(samples, plane, width, out);
    case 4: return mean_of_samples<4>(samples, plane, width, out);
    case 5: return mean_of_samples<5>(samples, plane, width, out);
    case 6: return mean_of_samples<6>(samples, plane, width, out);
    case 7: return mean_of_samples<7>(samples, plane, width, out);
    case 8: return mean_of_samples<8>(samples, plane, width, out);
    default: std::memcpy(out, samples, width);
    }
}

// Room before every sample row for the copies' spill.
constexpr std::size_t spill = 64;

// Calls f with k, 1 to 8 (more taken as 8), fixed at compile time, so that
// the row loops divide by it cheaply.
template <typename F>
void with_samples(int k, F&& f)
{
    switch (k) {
    case 1: return f(std::integral_constant<int, 1>{});
    case 2: return f(std::integral_constant<int, 2>{});
    case 3: return f(std::integral_constant<int, 3>{});
    case 4: return f(std::integral_constant<int, 4>{});
    case 5: return f(std::integral_constant<int, 5>{});
    case 6: return f(std::integral_constant<int, 6>{});
    case 7: return f(std::integral_constant<int, 7>{});
    default: return f(std::integral_constant<int, 8>{});
    }
}

// Copies n pixels in pieces from the right, the last of which may spill up
// to 63 bytes left of `to`: rows are painted right to left, so whatever
// lands there is painted over before it is read. Most copies on rows of
// many depths are short, and take one piece. In one row, `from` lies at
// least n pixels right of `to`.
inline void copy_pixels(std::uint8_t* to, const std::uint8_t* from, int n)
{
    auto bytes = static_cast<std::ptrdiff_t>(3 * std::size_t(n));
    std::uint8_t piece[64];
    if (bytes <= 64) {
#if defined(__GNUC__)
        // Held in registers, all read before any is written.
        typedef std::uint8_t Bytes16 __attribute__((vector_size(16), aligned(1), may_alias));
        const Bytes16 a = *reinterpret_cast<const Bytes16*>(from + bytes - 64);
        const Bytes16 b = *reinterpret_cast<const Bytes16*>(from + bytes - 48);
        const Bytes16 c = *reinterpret_cast<const Bytes16*>(from + bytes - 32);
        const Bytes16 d = *reinterpret_cast<const Bytes16*>(from + bytes - 16);
        *reinterpret_cast<Bytes16*>(to + bytes - 64) = a;
        *reinterpret_cast<Bytes16*>(to + bytes - 48) = b;
        *reinterpret_cast<Bytes16*>(to + bytes - 32) = c;
        *reinterpret_cast<Bytes16*>(to + bytes - 16) = d;
#else
        std::memcpy(piece, from + bytes - 64, 64);
        std::memcpy(to + bytes - 64, piece, 64);
#endif
    } else if (bytes > 256) {
        std::memcpy(to, from, std::size_t(bytes));
    } else {
        for (; bytes > 0; bytes -= 16) {
            std::memcpy(piece, from + bytes - 16, 16);
            std::memcpy(to + bytes - 16, piece, 16);
        }
    }
}

// The pattern's free pixels and the linked stretches, on the wide row kept
// as one row per sample, `plane` bytes apart, and one more row for colours
// shared by all samples. Sample p of pixel x is wide pixel K x + p, and wide
// pixel X + S is sample (p + S) mod K of pixel x + (p + S) / K. Worked out
// once for the rows that share the links; K is fixed at compile time, so
// that its divisions are cheap.
//
// The leftmost stretch is read by no other: when linked, its samples repeat
// every S, so its pixels repeat every S / gcd(S, K), a whole number of
// pixels. Only the pixels that are not a repeat of others right of them
// are painted; the picture left of them is copied from them.
template <int K>
void plan_sample_rows(const Pattern& pattern, std::vector<StereogramRows::Stretch> stretches, std::int32_t plane,
                      StereogramRows::Scratch::Plan& plan)
{
    std::vector<StereogramRows::Step>& steps = plan.steps;
    steps.clear();
    plan.repeat_from = plan.repeat = 0;
    if (K > 1 && !stretches.empty() && stretches.back().offset > 0) {
        StereogramRows::Stretch& last = stretches.back();
        const int period = last.offset / std::gcd(last.offset, K);
        // Pixels below end / K - period - 1 repeat ones whose samples all lie in the stretch.
        const int from = last.end / K - period - 1;
        if (from > last.begin / K + 1) {
            last.begin = K * from;
            plan.repeat_from = from;
            plan.repeat = period;
        }
    }
    auto first = [](int b, int p) { return (b - p + K - 1) / K; };
    auto at = [&](int p, int x) { return p * plane + 3 * x; };
    for (const StereogramRows::Stretch& stretch : stretches) {
        if (stretch.offset == 0) {
            if (K > 1 && pattern.same_for_all_samples() && stretch.end - stretch.begin > 2 * K &&
                stretch.shift % K == 0) {
                // The pixels the stretch touches, coloured once for all samples.
                const int from = stretch.begin / K, to = (stretch.end + K - 1) / K;
                steps.push_back({at(K, from), -1, to - from, from, stretch.shift});
                for (int p = 0; p < K; ++p) {
                    const int x0 = first(stretch.begin, p), x1 = first(stretch.end, p);
                    steps.push_back({at(p, x0), at(K, x0), x1 - x0, x0});
                }
            } else {
                for (int p = 0; p < K; ++p) {
                    const int x0 = first(stretch.begin, p), x1 = first(stretch.end, p);
                    if (x1 > x0) steps.push_back({at(p, x0), -1 - p, x1 - x0, x0, stretch.shift});
                }
            }
            continue;
        }
        // Copied right to left, each piece from pixels already final: the
        // first no longer than the offset, then each from all done so far,
        // which repeats at a multiple of the offset.
        for (int end = stretch.end, done = 0; end > stretch.begin;) {
            const int reach = std::max(1, done / stretch.offset) * stretch.offset;
            const int begin = std::max(stretch.begin, end - reach);
            const int whole = reach / K, part = reach % K;
            for (int p = 0; p < K; ++p) {
                const int x0 = first(begin, p), x1 = first(end, p);
                if (x1 <= x0) continue;
                const int from = p + part < K ? p + part : p + part - K;
                const int shift = p + part < K ? whole : whole + 1;
                steps.push_back({at(p, x0), at(from, x0 + shift), x1 - x0, x0});
            }
            done += end - begin;
            end = begin;
        }
    }
}

} // namespace

void StereogramRows::plan_samples(Scratch::Plan& plan) const
{
    const int k = pattern_.samples();
    const auto plane = static_cast<std::int32_t>(spill + 3 * std::size_t(map_.width / k));
    with_samples(k, [&](auto K) { plan_sample_rows<K()>(pattern_, plan.stretches, plane, plan); });
}

void StereogramRows::paint_samples(const std::vector<Step>& steps, int y, std::uint8_t* samples) const
{
    const Pattern::Row colours = pattern_.row(y);
    for (const Step& step : steps) {
        if (step.from >= 0)
            copy_pixels(samples + step.to, samples + step.from, step.n);
        else
            colours.fill(-step.from - 1, step.x, step.x + step.n, step.shift, samples + step.to);
    }
}

namespace {

// How many times the links change along the row.
int link_changes(const std::vector<StereogramRows::Offset>& link)
{
    int changes = 0;
    for (std::size_t i = 1; i < link.size(); ++i) changes += link[i] != link[i - 1];
    return changes;
}

// Linked stretches shorter than this on average make painting them one
// by one cost more than painting sample by sample.
constexpr int shortest_average_stretch = 16;

// Every sample takes the pattern, then every linked one, right to left,
// copies its partner, already final.
template <int K>
void paint_linked_samples(const Pattern::Row& colours, const StereogramRows::Offset* link, int wide,
                          std::size_t plane, std::uint8_t* samples)
{
    for (int p = 0; p < K; ++p) colours.fill(p, 0, wide / K, samples + p * plane);
    for (int x = wide - 1; x >= 0; --x) {
        const int partner = x + link[x];
        if (partner == x) continue;
        std::memcpy(samples + std::size_t(x % K) * plane + 3 * std::size_t(x / K),
                    samples + std::size_t(partner % K) * plane + 3 * std::size_t(partner / K), 3);
    }
}

// A texture in one pass, right to left: a free sample continues its right
// neighbour's texture column and a linked one copies its partner, already
// final, and takes its column. A free stretch is coloured whole with the
// shift its columns hold.
template <int K>
void paint_textured_samples(const Pattern::Row& colours, const StereogramRows::Offset* link, int wide, int period,
                            std::size_t plane, std::int32_t* column, std::uint8_t* samples)
{
    column[wide] = modulo(wide, period);
    for (int x = wide - 1; x >= 0;) {
        const int offset = link[x];
        if (offset != 0) {
            const int partner = x + offset;
            column[x] = column[partner];
            std::memcpy(samples + std::size_t(x % K) * plane + 3 * std::size_t(x / K),
                        samples + std::size_t(partner % K) * plane + 3 * std::size_t(partner / K), 3);
            --x;
            continue;
        }
        const int end = x + 1;
        while (x >= 0 && link[x] == 0) --x;
        count_down(column, x + 1, end, period);
        const int shift = modulo(column[end] - end, period);
        for (int p = 0; p < K; ++p) {
            const int x0 = (x + 1 - p + K - 1) / K, x1 = (end - p + K - 1) / K;
            if (x1 > x0) colours.fill(p, x0, x1, shift, samples + p * plane + 3 * std::size_t(x0));
        }
    }
}

} // namespace

void StereogramRows::paint_by_sample(const Scratch::Plan& plan, int y, std::uint8_t* samples, Scratch& s) const
{
    const Pattern::Row colours = pattern_.row(y);
    const int k = pattern_.samples(), wide = map_.width;
    const std::size_t plane = spill + 3 * std::size_t(wide / k);
    if (pattern_.textured()) {
        s.texel.resize(std::size_t(wide) + 1);
        with_samples(k, [&](auto K) {
            paint_textured_samples<K()>(colours, plan.link.data(), wide, pattern_.texture_period(), plane,
                                        s.texel.data(), samples);
        });
        return;
    }
    with_samples(k, [&](auto K) { paint_linked_samples<K()>(colours, plan.link.data(), wide, plane, samples); });
}

void StereogramRows::render(int y, std::uint8_t* out, Scratch& s) const
{
    Scratch::Plan& plan = s.plans[y & 1];
    if (plan.y < 0 || !map_.same_rows(plan.y, y)) {
        link(y, s);
        plan.by_sample = !pattern_.classic() &&
                         std::int64_t(link_changes(s.link)) * shortest_average_stretch > map_.width;
        if (plan.by_sample) {
            plan.link = s.link;
            plan.repeat_from = plan.repeat = 0;
        } else {
            this->plan(plan, s.link, s.swept);
            if (pattern_.textured()) shift_free(plan.stretches, s);
            if (!pattern_.classic()) plan_samples(plan);
        }
        plan.y = y;
    }
    // Painted in a row that stays in the cache, then written out whole: the
    // many short copies of a row would otherwise each read the image's
    // memory before writing it.
    if (pattern_.classic()) {
        s.painted.resize(3 * std::size_t(map_.width));
        paint(plan.stretches, y, s.painted.data());
        std::memcpy(out, s.painted.data(), s.painted.size());
        return;
    }
    // One row of picture width for each sample and one for colours they
    // share, each with room before it.
    const int k = pattern_.samples();
    const std::size_t width = 3 * std::size_t(map_.width / k), plane = spill + width;
    s.painted.resize((k + 1) * plane);
    std::uint8_t* samples = s.painted.data() + spill;
    if (plan.by_sample)
        paint_by_sample(plan, y, samples, s);
    else
        paint_samples(plan.steps, y, samples);
    if (k == 1) {
        std::memcpy(out, samples, width);
        return;
    }
    s.averaged.resize(width);
    std::uint8_t* averaged = s.averaged.data();
    const std::size_t from = 3 * std::size_t(plan.repeat_from), period = 3 * std::size_t(plan.repeat);
    mean_of_samples(k, samples + from, plane, width - from, averaged + from);
    for (std::size_t end = from; end > 0;) {
        const std::size_t n = std::min(period, end);
        std::memcpy(averaged + end - n, averaged + end - n + period, n);
        end -= n;
    }
    std::memcpy(out, averaged, width);
}

bool render_stereogram_onto(QImage& image, const DepthMap& map, const StereoGeometry& geometry,
                            const SeparationTable& separations, std::uint64_t seed, DotColors colors,
                            const RenderControl& control)
{
    return render_stereogram_onto(image, map, geometry, separations, Pattern::dots(seed, colors), control);
}

bool render_stereogram_onto(QImage& image, const DepthMap& map, const StereoGeometry& geometry,
                            const SeparationTable& separations, const Pattern& pattern, const RenderControl& control)
{
    Q_ASSERT(image.format() == QImage::Format_RGB888 && image.width() == map.width && image.height() == map.height);
    Q_ASSERT(map.width <= StereogramRows::widest_row || pattern.samples() > 1);
    const DepthMap wide = pattern.samples() > 1 ? map.widened(pattern.samples()) : DepthMap();
    const StereogramRows rows(pattern.samples() > 1 ? wide : map, geometry, separations, pattern);
    // Threads take rows in blocks, so that repeated rows find their twins.
    constexpr int block = 32;
    const int blocks = (map.height + block - 1) / block;
    const int threads = std::max(1, std::min(control.threads > 0 ? control.threads
                                                                  : int(std::thread::hardware_concurrency()),
                                             blocks));
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    auto cancelled = [&] { return control.cancel && control.cancel->load(std::memory_order_relaxed); };
    // Row addresses are taken once: scanLine() may detach a shared image,
    // which workers must not race on.
    std::uint8_t* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    auto work = [&] {
        StereogramRows::Scratch scratch;
        for (int b; !cancelled() && (b = next.fetch_add(1)) < blocks;) {
            const int end = std::min(map.height, (b + 1) * block);
            for (int y = b * block; y < end && !cancelled(); ++y) rows.render(y, bits + stride * y, scratch);
            // Counted once a block: a count per row would make each row
            // wait for its pixels to reach memory.
            done.fetch_add(end - b * block, std::memory_order_relaxed);
        }
    };
    std::vector<std::thread> workers;
    if (!control.poll) {
        for (int i = 1; i < threads; ++i) workers.emplace_back(work);
        work();
    } else {
        // The calling thread only reports progress while the others work.
        for (int i = 0; i < threads; ++i) workers.emplace_back(work);
        while (done.load() < map.height && !cancelled()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            control.poll(done.load());
        }
    }
    for (std::thread& worker : workers) worker.join();
    return !cancelled();
}

QImage render_stereogram(const DepthMap& map, const StereoGeometry& geometry, const SeparationTable& separations,
                         const Pattern& pattern, const RenderControl& control)
{
    QImage image(map.width, map.height, QImage::Format_RGB888);
    if (image.isNull()) return image;
    if (!render_stereogram_onto(image, map, geometry, separations, pattern, control)) return QImage();
    return image;
}

QImage render_stereogram(const DepthMap& map, const StereoGeometry& geometry, const SeparationTable& separations,
                         std::uint64_t seed, DotColors colors, const RenderControl& control)
{
    return render_stereogram(map, geometry, separations, Pattern::dots(seed, colors), control);
}

#include "core/mesh_raster.h"
#include <algorithm>
#include <array>
#include <barrier>
#include <bit>
#include <thread>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

struct ScreenPoint {
    double x, y;
    float z;
};

// Where a turned model point lands on the image.
struct ScreenTransform {
    ModelPlacement placement;
    double half_width, half_height;
    ScreenPoint operator()(const MeshPoint& p) const
    {
        return {(p.x - placement.centre_x) * placement.scale + half_width,
                (placement.centre_y - p.y) * placement.scale + half_height, p.z};
    }
};

// Twice the triangle's area on the image, negative when its corners run
// counter-clockwise as the viewer sees them (the image's rows run down).
inline double screen_area(const ScreenPoint& a, const ScreenPoint& b, const ScreenPoint& c)
{
    return (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
}

// A pixel centre this close outside a triangle still counts as inside, so
// that rounding never opens a gap along an edge two triangles share.
constexpr double edge_slack = 1e-7;

// floor and ceil of values that fit an int: a conversion and a comparison
// are much cheaper than the library's rounding on processors without a
// rounding instruction.
int floor_int(double v)
{
    const int cut = int(v);
    return cut - int(cut > v);
}
int ceil_int(double v)
{
    const int cut = int(v);
    return cut + int(cut < v);
}

struct Rows {
    int first, end;
};

// The pixels whose centres a triangle's bounding box holds, within `rows`
// and the image's columns.
struct PixelBox {
    int row_from = 0, row_to = -1, column_from = 0, column_to = -1;
    bool empty() const { return row_from > row_to || column_from > column_to; }
};

inline PixelBox pixel_box(const ScreenPoint& a, const ScreenPoint& b, const ScreenPoint& c, Rows rows, int width)
{
    // Most triangles of a large model lie in another band's rows.
    const double top = std::min({a.y, b.y, c.y}), bottom = std::max({a.y, b.y, c.y});
    if (!(bottom >= rows.first - 1.0 && top <= rows.end + 1.0)) return {}; // also a corner that is not a number
    PixelBox box;
    box.row_from = std::max(rows.first, ceil_int(std::max(top, rows.first - 1.0) - 0.5 - edge_slack));
    box.row_to = std::min(rows.end - 1, floor_int(std::min(bottom, rows.end + 1.0) - 0.5 + edge_slack));
    if (box.row_from > box.row_to) return box;
    const double left = std::min({a.x, b.x, c.x}), right = std::max({a.x, b.x, c.x});
    if (!(right >= -1.0 && left <= width + 1.0)) return {};
    box.column_from = std::max(0, ceil_int(std::max(left, -1.0) - 0.5 - edge_slack));
    box.column_to = std::min(width - 1, floor_int(std::min(right, width + 1.0) - 0.5 + edge_slack));
    return box;
}

// Calls visit(row, column, z) for the pixels of `box` whose centres lie
// inside the triangle or on its edge, z its depth there.
template <class Visit>
void for_each_pixel(const ScreenPoint& a, const ScreenPoint& b, const ScreenPoint& c, PixelBox box, Visit&& visit)
{
    const double area = screen_area(a, b, c);
    if (area == 0 || !std::isfinite(area)) return; // seen edge-on: covers nothing

    // The depth plane through the three corners.
    const double dz_dx = ((double(b.z) - a.z) * (c.y - a.y) - (double(c.z) - a.z) * (b.y - a.y)) / area;
    const double dz_dy = ((b.x - a.x) * (double(c.z) - a.z) - (c.x - a.x) * (double(b.z) - a.z)) / area;
    const float z_low = std::min({a.z, b.z, c.z}), z_high = std::max({a.z, b.z, c.z});

    // Each edge as w(x, y) = ex * x + ey * y + e0, positive inside, solved
    // for x along a row: w >= 0 where x >= -(ey * y + e0) / ex when ex > 0,
    // x <= that when ex < 0. The bounds an edge does not set are pushed far
    // out with a bias, so that every row takes the same steps.
    constexpr double far_out = 1e300;
    const double sign = area > 0 ? 1.0 : -1.0;
    const ScreenPoint* corners[3] = {&a, &b, &c};
    double ey[3], e0[3], left_scale[3], left_bias[3], right_scale[3], right_bias[3];
    bool level_edge = false;
    for (int i = 0; i < 3; ++i) {
        const ScreenPoint& p = *corners[i];
        const ScreenPoint& q = *corners[(i + 1) % 3];
        const double ex = sign * (p.y - q.y);
        ey[i] = sign * (q.x - p.x);
        e0[i] = -(ex * p.x + ey[i] * p.y) + edge_slack * (std::abs(ex) + std::abs(ey[i]));
        const double solve = ex != 0 ? -1.0 / ex : 0.0;
        left_scale[i] = ex > 0 ? solve : 0.0;
        left_bias[i] = ex > 0 ? 0.0 : -far_out;
        right_scale[i] = ex < 0 ? solve : 0.0;
        right_bias[i] = ex < 0 ? 0.0 : far_out;
        level_edge |= ex == 0;
    }
    const double lowest = box.column_from + 0.5, highest = box.column_to + 0.5;
    for (int row = box.row_from; row <= box.row_to; ++row) {
        const double y = row + 0.5;
        double from = lowest, to = highest;
        for (int i = 0; i < 3; ++i) {
            const double rest = ey[i] * y + e0[i];
            from = std::max(from, rest * left_scale[i] + left_bias[i]);
            to = std::min(to, rest * right_scale[i] + right_bias[i]);
        }
        if (level_edge) { // a level edge bounds rows, not columns
            bool outside = false;
            for (int i = 0; i < 3; ++i) outside |= left_scale[i] == 0 && right_scale[i] == 0 && ey[i] * y + e0[i] < 0;
            if (outside) continue;
        }
        const int first = ceil_int(std::min(from, highest + 1) - 0.5);
        const int last = floor_int(std::max(to, lowest - 1) - 0.5);
        const double row_z = a.z + dz_dy * (y - a.y) - dz_dx * a.x;
        for (int x = first; x <= last; ++x) visit(row, x, std::clamp(float(row_z + dz_dx * (x + 0.5)), z_low, z_high));
    }
}

// One bit per pixel, each row in whole words, so that bands never share a word.
struct PixelBits {
    std::size_t words_per_row;
    std::vector<std::uint64_t> words;
    PixelBits(int width, int height)
        : words_per_row((std::size_t(width) + 63) / 64), words(words_per_row * std::size_t(height))
    {
    }
    std::uint64_t* row(int r) { return words.data() + std::size_t(r) * words_per_row; }
    const std::uint64_t* row(int r) const { return words.data() + std::size_t(r) * words_per_row; }
    bool at(int r, int x) const { return row(r)[x / 64] >> (x % 64) & 1; }
    bool any_in(const PixelBox& box) const
    {
        const int first_word = box.column_from / 64, last_word = box.column_to / 64;
        const std::uint64_t first_mask = ~std::uint64_t(0) << (box.column_from % 64);
        const std::uint64_t last_mask = ~std::uint64_t(0) >> (63 - box.column_to % 64);
        std::uint64_t found = 0;
        for (int r = box.row_from; r <= box.row_to; ++r) {
            const std::uint64_t* line = row(r);
            if (first_word == last_word) {
                found |= line[first_word] & first_mask & last_mask;
                continue;
            }
            found |= line[first_word] & first_mask;
            for (int word = first_word + 1; word < last_word; ++word) found |= line[word];
            found |= line[last_word] & last_mask;
        }
        return found != 0;
    }
};

// The depths a band of rows has seen.
struct Extent {
    float nearest = ModelDepth::uncovered, farthest = -ModelDepth::uncovered;
};

// Marks the covered pixels of `rows` and widens `extent` to their depths.
void note_coverage(const float* z, std::size_t width, Rows rows, PixelBits& covered, Extent& extent)
{
    for (int row = rows.first; row < rows.end; ++row) {
        const float* line = z + std::size_t(row) * width;
        std::uint64_t* bits = covered.row(row);
        float nearest = extent.nearest, farthest = extent.farthest;
        std::size_t x = 0;
#if defined(__SSE2__)
        // Four pixels at a time, 64 to a word of bits.
        const __m128 none = _mm_set1_ps(ModelDepth::uncovered), beyond = _mm_set1_ps(-ModelDepth::uncovered);
        __m128 near4 = _mm_set1_ps(nearest), far4 = _mm_set1_ps(farthest);
        for (; x + 64 <= width; x += 64) {
            std::uint64_t seen = 0;
            for (int k = 0; k < 64; k += 4) {
                const __m128 value = _mm_loadu_ps(line + x + std::size_t(k));
                const __m128 is_covered = _mm_cmpneq_ps(value, none);
                seen |= std::uint64_t(_mm_movemask_ps(is_covered)) << k;
                near4 = _mm_max_ps(near4, value);
                far4 = _mm_min_ps(far4, _mm_or_ps(_mm_and_ps(is_covered, value), _mm_andnot_ps(is_covered, beyond)));
            }
            bits[x / 64] = seen;
        }
        float lanes[4];
        _mm_storeu_ps(lanes, near4);
        nearest = std::max({lanes[0], lanes[1], lanes[2], lanes[3]});
        _mm_storeu_ps(lanes, far4);
        farthest = std::min({lanes[0], lanes[1], lanes[2], lanes[3]});
#endif
        for (; x < width; x += 64) {
            const std::size_t end = std::min(width, x + 64);
            std::uint64_t seen = 0;
            for (std::size_t i = x; i < end; ++i) {
                const float value = line[i];
                seen |= std::uint64_t(value != ModelDepth::uncovered) << (i - x);
                nearest = std::max(nearest, value);
                farthest = std::min(farthest, value != ModelDepth::uncovered ? value : -ModelDepth::uncovered);
            }
            bits[x / 64] = seen;
        }
        extent.nearest = nearest;
        extent.farthest = farthest;
    }
}

// Marks the rim's pixels among `rows`: covered pixels beside one that is
// not, or on the image's edge. Needs the rows above and below covered too.
// Whether there are any.
bool mark_rim(const PixelBits& covered, Rows rows, int height, PixelBits& rim)
{
    bool any = false;
    const std::size_t words = covered.words_per_row;
    for (int row = rows.first; row < rows.end; ++row) {
        const std::uint64_t* line = covered.row(row);
        const std::uint64_t* above = row > 0 ? covered.row(row - 1) : nullptr;
        const std::uint64_t* below = row + 1 < height ? covered.row(row + 1) : nullptr;
        std::uint64_t* out = rim.row(row);
        for (std::size_t word = 0; word < words; ++word) {
            const std::uint64_t here = line[word];
            if (here == 0) continue;
            const std::uint64_t left = here << 1 | (word > 0 ? line[word - 1] >> 63 : 0);
            const std::uint64_t right = here >> 1 | (word + 1 < words ? line[word + 1] << 63 : 0);
            const std::uint64_t inside = left & right & (above ? above[word] : 0) & (below ? below[word] : 0);
            out[word] = here & ~inside;
            any |= out[word] != 0;
        }
    }
    return any;
}

// The farthest depth in each block of block x block pixels of a band's
// rows, `uncovered` where any of them is: a triangle no nearer than that
// anywhere in the blocks its box touches is hidden there.
class FarthestInBlocks {
public:
    static constexpr int block = 8;
    FarthestInBlocks(const float* z, int width, Rows rows)
        : rows_(rows), across_((width + block - 1) / block),
          far_(std::size_t(across_) * std::size_t((rows.end - rows.first + block - 1) / block), -ModelDepth::uncovered)
    {
        const int whole = width / block;
        for (int row = rows.first; row < rows.end; ++row) {
            const float* line = z + std::size_t(row) * std::size_t(width);
            float* out = far_.data() + std::size_t((row - rows.first) / block) * std::size_t(across_);
            for (int b = 0; b < whole; ++b) {
                float farthest = out[b];
                for (int k = 0; k < block; ++k) farthest = std::min(farthest, line[b * block + k]);
                out[b] = farthest;
            }
            for (int x = whole * block; x < width; ++x) out[whole] = std::min(out[whole], line[x]);
        }
    }
    // Whether every pixel of `box` is at least as near as z.
    bool hides(const PixelBox& box, float z) const
    {
        const int top = (box.row_from - rows_.first) / block, bottom = (box.row_to - rows_.first) / block;
        const int left = box.column_from / block, right = box.column_to / block;
        for (int r = top; r <= bottom; ++r)
            for (int c = left; c <= right; ++c)
                if (!(far_[std::size_t(r) * std::size_t(across_) + std::size_t(c)] >= z)) return false;
        return true;
    }

private:
    Rows rows_;
    int across_;
    std::vector<float> far_;
};

// Which blocks of block x block pixels of a band's rows lie beside a rim
// pixel (in the block or one of its eight neighbours), so that most
// triangles are found far from the rim from their corners alone.
class BlocksNearRim {
public:
    static constexpr int block = 8;
    BlocksNearRim(const PixelBits& rim, int width, Rows rows)
        : rows_(rows), across_((width + block - 1) / block + 2),
          near_(std::size_t(across_) * std::size_t((rows.end - rows.first + block - 1) / block + 2), 0)
    {
        for (int row = rows.first; row < rows.end; ++row) {
            const std::uint64_t* line = rim.row(row);
            for (std::size_t word = 0; word < rim.words_per_row; ++word)
                for (std::uint64_t bits = line[word]; bits != 0; bits &= bits - 1) {
                    const int x = int(word * 64) + std::countr_zero(bits);
                    const int bx = x / block + 1, by = (row - rows.first) / block + 1;
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx) near_[at(bx + dx, by + dy)] = 1;
                }
        }
    }
    // False only when no pixel the triangle's box holds can be on the rim.
    bool may_touch(const ScreenPoint& a, const ScreenPoint& b, const ScreenPoint& c) const
    {
        const int down = int(near_.size() / std::size_t(across_));
        auto column = [&](double x) { return std::clamp(floor_int(std::clamp(x / block, -4.0, across_ + 4.0)) + 1, 0, across_ - 1); };
        auto line = [&](double y) {
            return std::clamp(floor_int(std::clamp((y - rows_.first) / block, -4.0, down + 4.0)) + 1, 0, down - 1);
        };
        const int ax = column(a.x), bx = column(b.x), cx = column(c.x);
        const int ay = line(a.y), by = line(b.y), cy = line(c.y);
        if (std::max({ax, bx, cx}) - std::min({ax, bx, cx}) > 1 || std::max({ay, by, cy}) - std::min({ay, by, cy}) > 1)
            return true;
        return near_[at(ax, ay)] != 0;
    }

private:
    std::size_t at(int bx, int by) const { return std::size_t(by) * std::size_t(across_) + std::size_t(bx); }
    Rows rows_;
    int across_;
    std::vector<std::uint8_t> near_;
};

// Whether the triangles facing the viewer run clockwise on the image: the
// way round whose triangles lie nearer, on a sample of them. Most models run
// counter-clockwise; some the other way, and open ones either.
template <class Corners>
bool facing_runs_clockwise(const Mesh& mesh, std::size_t points, Corners&& corners)
{
    double nearer_clockwise = 0;
    const std::size_t stride = std::max<std::size_t>(1, mesh.triangles.size() / 4096);
    for (std::size_t i = 0; i < mesh.triangles.size(); i += stride) {
        const auto& t = mesh.triangles[i];
        if (t[0] >= points || t[1] >= points || t[2] >= points) continue;
        const auto [a, b, c] = corners(std::uint32_t(i));
        const double area = screen_area(a, b, c), mean_z = (double(a.z) + b.z + c.z) / 3;
        if (!std::isfinite(area) || !std::isfinite(mean_z) || area == 0) continue;
        nearer_clockwise += area > 0 ? mean_z : -mean_z;
    }
    return nearer_clockwise > 0;
}

} // namespace

ModelDepth rasterize_model(const std::vector<MeshPoint>& turned, const Mesh& mesh, int width, int height,
                           ModelPlacement placement)
{
    ModelDepth depth;
    depth.width = std::max(0, width);
    depth.height = std::max(0, height);
    const std::size_t pixels = std::size_t(depth.width) * std::size_t(depth.height);
    if (pixels == 0) return depth;
    depth.z.resize(pixels); // left unset: each band fills its own rows
    const std::size_t w = std::size_t(depth.width);
    const ScreenTransform to_screen{placement, width / 2.0, height / 2.0};
    const std::size_t points = turned.size();
    // Every point on the image, turned by all bands together before they draw.
    std::vector<ScreenPoint, UnsetAllocator<ScreenPoint>> screen(turned.size());
    auto corners = [&](std::uint32_t triangle) { // the triangle's indices already checked
        const auto& t = mesh.triangles[triangle];
        return std::array<ScreenPoint, 3>{screen[t[0]], screen[t[1]], screen[t[2]]};
    };

    // Bands of rows, one per core, each going over every triangle in the
    // model's order, which keeps neighbouring triangles close in memory.
    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    const bool small = mesh.triangles.size() + pixels / 64 < 20000;
    const int bands = small ? 1 : std::min(cores, depth.height);
    auto part = [bands](std::size_t count, int band) { return count * std::size_t(band) / std::size_t(bands); };
    const bool facing_clockwise = facing_runs_clockwise(mesh, turned.size(), [&](std::uint32_t triangle) {
        const auto& t = mesh.triangles[triangle];
        return std::array<ScreenPoint, 3>{to_screen(turned[t[0]]), to_screen(turned[t[1]]), to_screen(turned[t[2]])};
    });
    std::vector<Extent> extents(static_cast<std::size_t>(bands));
    PixelBits covered(depth.width, depth.height), rim(depth.width, depth.height);
    std::barrier screen_ready(bands), coverage_ready(bands);
    float* const z = depth.z.data();
    auto work = [&](int band) {
        const Rows rows{int(part(std::size_t(depth.height), band)), int(part(std::size_t(depth.height), band + 1))};
        std::fill(z + std::size_t(rows.first) * w, z + std::size_t(rows.end) * w, ModelDepth::uncovered);
        for (std::size_t i = part(turned.size(), band); i < part(turned.size(), band + 1); ++i) screen[i] = to_screen(turned[i]);
        screen_ready.arrive_and_wait();
        // Triangles facing the viewer first; those turned away come after,
        // and most of them, on the far side of a closed model, lie wholly
        // behind what is drawn already and need no drawing at all.
        // Triangle indices only: a box is cheap to work out again, memory new
        // to the process is not.
        std::vector<std::uint32_t> drawn, turned_away;
        const std::size_t likely = mesh.triangles.size() / std::size_t(bands) * 5 / 8 + 1024;
        drawn.reserve(likely);
        turned_away.reserve(likely);
        auto draw = [&](const ScreenPoint& a, const ScreenPoint& b, const ScreenPoint& c, const PixelBox& box) {
            for_each_pixel(a, b, c, box, [z, w](int row, int x, float value) {
                float& out = z[std::size_t(row) * w + std::size_t(x)];
                out = std::max(out, value);
            });
        };
        for (std::uint32_t index = 0; index < mesh.triangles.size(); ++index) {
            const auto& t = mesh.triangles[index];
            if (t[0] >= points || t[1] >= points || t[2] >= points) continue;
            const auto [a, b, c] = corners(index);
            const PixelBox box = pixel_box(a, b, c, rows, depth.width);
            if (box.empty()) continue;
            if ((screen_area(a, b, c) > 0) != facing_clockwise) {
                turned_away.push_back(index);
                continue;
            }
            drawn.push_back(index);
            draw(a, b, c, box);
        }
        const FarthestInBlocks farthest(z, depth.width, rows);
        for (const std::uint32_t index : turned_away) {
            const auto [a, b, c] = corners(index);
            const PixelBox box = pixel_box(a, b, c, rows, depth.width);
            if (farthest.hides(box, std::max({a.z, b.z, c.z}))) continue;
            drawn.push_back(index);
            draw(a, b, c, box);
        }
        Extent& extent = extents[std::size_t(band)];
        note_coverage(z, w, rows, covered, extent);
        coverage_ready.arrive_and_wait();
        if (!mark_rim(covered, rows, depth.height, rim)) return;

        // Pixel centres miss the silhouette's very edge, where a model's
        // farthest visible points mostly lie (a sphere's rim): a triangle
        // seen at the rim is seen down to its lowest corner.
        const BlocksNearRim near_rim(rim, depth.width, rows);
        for (const std::uint32_t index : drawn) {
            const auto [a, b, c] = corners(index);
            if (!near_rim.may_touch(a, b, c)) continue;
            const PixelBox box = pixel_box(a, b, c, rows, depth.width);
            if (!rim.any_in(box)) continue;
            bool seen = false;
            for_each_pixel(a, b, c, box, [&](int row, int x, float value) {
                seen |= rim.at(row, x) && value >= z[std::size_t(row) * w + std::size_t(x)];
            });
            if (seen) extent.farthest = std::min({extent.farthest, a.z, b.z, c.z});
        }
    };
    std::vector<std::thread> helpers;
    for (int band = 1; band < bands; ++band) helpers.emplace_back(work, band);
    work(0);
    for (std::thread& helper : helpers) helper.join();

    for (const Extent& extent : extents) {
        if (extent.nearest == ModelDepth::uncovered) continue;
        depth.nearest = depth.any_covered ? std::max(depth.nearest, extent.nearest) : extent.nearest;
        depth.farthest = depth.any_covered ? std::min(depth.farthest, extent.farthest) : extent.farthest;
        depth.any_covered = true;
    }
    return depth;
}

ModelPlacement fitted_placement(const MeshBox& box, int width, int height, int margin)
{
    ModelPlacement placement;
    placement.centre_x = (double(box.min_x) + box.max_x) / 2;
    placement.centre_y = (double(box.min_y) + box.max_y) / 2;
    const double room_x = std::max(1, width - 2 * margin), room_y = std::max(1, height - 2 * margin);
    const double scale_x = box.width() > 0 ? room_x / box.width() : 0;
    const double scale_y = box.height() > 0 ? room_y / box.height() : 0;
    placement.scale = scale_x > 0 && scale_y > 0 ? std::min(scale_x, scale_y) : std::max({scale_x, scale_y, 1.0});
    return placement;
}

int proportional_height(const MeshBox& box, int width)
{
    if (box.width() <= 0) return std::max(1, width);
    const double height = std::round(double(width) * box.height() / box.width());
    return int(std::clamp(height, 1.0, 1e9));
}

ModelDepth model_depth(const Mesh& mesh, ModelTurn turn, int width, int height, int margin)
{
    const std::vector<MeshPoint> turned = turned_points(mesh.points, turn);
    return rasterize_model(turned, mesh, width, height, fitted_placement(used_box(turned, mesh), width, height, margin));
}

std::vector<float> relief_levels(const ModelDepth& depth)
{
    std::vector<float> levels(depth.z.size(), std::numeric_limits<float>::quiet_NaN());
    const double range = double(depth.nearest) - depth.farthest;
    for (std::size_t i = 0; i < depth.z.size(); ++i) {
        if (depth.z[i] == ModelDepth::uncovered) continue;
        levels[i] = range > 0 ? float((double(depth.z[i]) - depth.farthest) / range) : 1.0f;
    }
    return levels;
}

#include "core/mesh_raster.h"
#include <algorithm>
#include <barrier>
#include <memory>
#include <thread>

namespace {

struct ScreenPoint {
    double x, y;
    float z;
};

// A pixel centre this close outside a triangle still counts as inside, so
// that rounding never opens a gap along an edge two triangles share.
constexpr double edge_slack = 1e-7;

// Writes the triangle's nearest depths into rows [first_row, end_row),
// and `index` as the owner of each pixel it wins.
void rasterize_triangle(const ScreenPoint& a, const ScreenPoint& b, const ScreenPoint& c, std::uint32_t index,
                        int first_row, int end_row, ModelDepth& depth, std::uint32_t* owners)
{
    // Most triangles of a large model lie in another core's rows.
    const double top = std::min({a.y, b.y, c.y}), bottom = std::max({a.y, b.y, c.y});
    if (!(bottom >= first_row - 1.0 && top <= end_row + 1.0)) return; // also a corner that is not a number
    const int row_from = std::max(first_row, int(std::ceil(std::max(top, first_row - 1.0) - 0.5 - edge_slack)));
    const int row_to = std::min(end_row - 1, int(std::floor(std::min(bottom, end_row + 1.0) - 0.5 + edge_slack)));
    if (row_from > row_to) return;
    const double area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
    if (area == 0 || !std::isfinite(area)) return; // seen edge-on: covers nothing
    const double left = std::min({a.x, b.x, c.x}), right = std::max({a.x, b.x, c.x});
    if (!(right >= -1.0 && left <= depth.width + 1.0)) return;
    const int column_from = std::max(0, int(std::ceil(std::max(left, -1.0) - 0.5 - edge_slack)));
    const int column_to = std::min(depth.width - 1, int(std::floor(std::min(right, depth.width + 1.0) - 0.5 + edge_slack)));
    if (column_from > column_to) return;

    // The depth plane through the three corners.
    const double dz_dx = ((double(b.z) - a.z) * (c.y - a.y) - (double(c.z) - a.z) * (b.y - a.y)) / area;
    const double dz_dy = ((b.x - a.x) * (double(c.z) - a.z) - (c.x - a.x) * (double(b.z) - a.z)) / area;
    const float z_low = std::min({a.z, b.z, c.z}), z_high = std::max({a.z, b.z, c.z});

    // Each edge as w(x, y) = ex * x + ey * y + e0, positive inside.
    const double sign = area > 0 ? 1.0 : -1.0;
    const ScreenPoint* corners[3] = {&a, &b, &c};
    // Solved for x along a row: the edge's x at the row is (ey * y + shift) * step.
    double ex[3], ey[3], shift[3], step[3];
    for (int i = 0; i < 3; ++i) {
        const ScreenPoint& p = *corners[i];
        const ScreenPoint& q = *corners[(i + 1) % 3];
        ex[i] = sign * (p.y - q.y);
        ey[i] = sign * (q.x - p.x);
        shift[i] = -(ex[i] * p.x + ey[i] * p.y) + edge_slack * (std::abs(ex[i]) + std::abs(ey[i]));
        step[i] = ex[i] != 0 ? -1.0 / ex[i] : 0;
    }
    for (int row = row_from; row <= row_to; ++row) {
        const double y = row + 0.5;
        double from = column_from + 0.5, to = column_to + 0.5;
        bool empty = false;
        for (int i = 0; i < 3; ++i) {
            const double rest = ey[i] * y + shift[i];
            if (ex[i] > 0) from = std::max(from, rest * step[i]);
            else if (ex[i] < 0) to = std::min(to, rest * step[i]);
            else empty |= rest < 0;
        }
        if (empty || !(from <= to)) continue; // `from` and `to` now lie within the columns
        const int first = std::max(column_from, int(std::ceil(from - 0.5)));
        const int last = std::min(column_to, int(std::floor(to - 0.5)));
        float* out = depth.z.data() + std::size_t(row) * std::size_t(depth.width);
        std::uint32_t* owner = owners + std::size_t(row) * std::size_t(depth.width);
        const double row_z = a.z + dz_dy * (y - a.y) - dz_dx * a.x;
        for (int x = first; x <= last; ++x) {
            const float z = std::clamp(float(row_z + dz_dx * (x + 0.5)), z_low, z_high);
            if (z <= out[x]) continue;
            out[x] = z;
            owner[x] = index;
        }
    }
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
    depth.z.resize(pixels);
    std::vector<ScreenPoint> screen(turned.size());

    // Bands of rows, one per core, each going over every triangle.
    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    const bool small = mesh.triangles.size() + pixels / 64 < 20000;
    const int bands = small ? 1 : std::min(cores, depth.height);
    struct Band {
        float nearest = ModelDepth::uncovered, farthest = -ModelDepth::uncovered;
    };
    std::vector<Band> found(std::size_t(bands), Band{});
    auto part = [bands](std::size_t count, int band) { return count * std::size_t(band) / std::size_t(bands); };
    // Read only where a triangle wrote, so left unset.
    const std::unique_ptr<std::uint32_t[]> owners(new std::uint32_t[pixels]);
    std::barrier points_ready(bands), pixels_ready(bands);
    // Whether pixel i is covered and touches an uncovered pixel or the image's edge.
    auto on_rim = [&](std::size_t i) {
        const std::size_t w = std::size_t(depth.width);
        const std::size_t x = i % w;
        const float* z = depth.z.data();
        if (z[i] == ModelDepth::uncovered) return false;
        if (x == 0 || x + 1 == w || i < w || i + w >= pixels) return true;
        return z[i - 1] == ModelDepth::uncovered || z[i + 1] == ModelDepth::uncovered ||
               z[i - w] == ModelDepth::uncovered || z[i + w] == ModelDepth::uncovered;
    };
    auto lowest_corner = [&](std::uint32_t triangle) {
        const auto& t = mesh.triangles[triangle];
        return std::min({screen[t[0]].z, screen[t[1]].z, screen[t[2]].z});
    };
    auto rasterize_band = [&](int band) {
        for (std::size_t i = part(turned.size(), band); i < part(turned.size(), band + 1); ++i)
            screen[i] = {(turned[i].x - placement.centre_x) * placement.scale + width / 2.0,
                         (placement.centre_y - turned[i].y) * placement.scale + height / 2.0, turned[i].z};
        const int first_row = int(part(std::size_t(depth.height), band));
        const int end_row = int(part(std::size_t(depth.height), band + 1));
        float* rows = depth.z.data() + std::size_t(first_row) * std::size_t(depth.width);
        const std::size_t band_pixels = std::size_t(end_row - first_row) * std::size_t(depth.width);
        std::fill(rows, rows + band_pixels, ModelDepth::uncovered);
        points_ready.arrive_and_wait();
        for (std::uint32_t index = 0; index < mesh.triangles.size(); ++index) {
            const auto& t = mesh.triangles[index];
            if (t[0] >= screen.size() || t[1] >= screen.size() || t[2] >= screen.size()) continue;
            rasterize_triangle(screen[t[0]], screen[t[1]], screen[t[2]], index, first_row, end_row, depth,
                               owners.get());
        }
        pixels_ready.arrive_and_wait();
        // Pixel centres miss the silhouette's very edge, where a model's
        // farthest visible points mostly lie (a sphere's rim): a triangle
        // seen at the rim is seen down to its lowest corner.
        Band& mine = found[std::size_t(band)];
        const std::size_t band_start = std::size_t(first_row) * std::size_t(depth.width);
        for (std::size_t i = 0; i < band_pixels; ++i) {
            if (rows[i] == ModelDepth::uncovered) continue;
            mine.nearest = std::max(mine.nearest, rows[i]);
            mine.farthest = std::min(mine.farthest, rows[i]);
            if (on_rim(band_start + i)) mine.farthest = std::min(mine.farthest, lowest_corner(owners[band_start + i]));
        }
    };
    std::vector<std::thread> helpers;
    for (int band = 1; band < bands; ++band) helpers.emplace_back(rasterize_band, band);
    rasterize_band(0);
    for (std::thread& helper : helpers) helper.join();

    for (const Band& band : found) {
        if (band.nearest == ModelDepth::uncovered) continue;
        depth.nearest = depth.any_covered ? std::max(depth.nearest, band.nearest) : band.nearest;
        depth.farthest = depth.any_covered ? std::min(depth.farthest, band.farthest) : band.farthest;
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

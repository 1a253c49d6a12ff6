#include "core/mesh_raster.h"
#include <algorithm>
#include <thread>

namespace {

struct ScreenPoint {
    double x, y;
    float z;
};

// A pixel centre this close outside a triangle still counts as inside, so
// that rounding never opens a gap along an edge two triangles share.
constexpr double edge_slack = 1e-7;

// Writes the triangle's nearest depths into rows [first_row, end_row).
void rasterize_triangle(const ScreenPoint& a, const ScreenPoint& b, const ScreenPoint& c, int first_row,
                        int end_row, ModelDepth& depth)
{
    const double area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
    if (area == 0 || !std::isfinite(area)) return; // seen edge-on: covers nothing
    const double top = std::min({a.y, b.y, c.y}), bottom = std::max({a.y, b.y, c.y});
    const int row_from = std::max(first_row, int(std::ceil(top - 0.5 - edge_slack)));
    const int row_to = std::min(end_row - 1, int(std::floor(bottom - 0.5 + edge_slack)));
    if (row_from > row_to) return;
    const double left = std::min({a.x, b.x, c.x}), right = std::max({a.x, b.x, c.x});
    const int column_from = std::max(0, int(std::ceil(left - 0.5 - edge_slack)));
    const int column_to = std::min(depth.width - 1, int(std::floor(right - 0.5 + edge_slack)));
    if (column_from > column_to) return;

    // The depth plane through the three corners.
    const double dz_dx = ((double(b.z) - a.z) * (c.y - a.y) - (double(c.z) - a.z) * (b.y - a.y)) / area;
    const double dz_dy = ((b.x - a.x) * (double(c.z) - a.z) - (c.x - a.x) * (double(b.z) - a.z)) / area;
    const float z_low = std::min({a.z, b.z, c.z}), z_high = std::max({a.z, b.z, c.z});

    // Each edge as w(x, y) = ex * x + ey * y + e0, positive inside.
    const double sign = area > 0 ? 1.0 : -1.0;
    const ScreenPoint* corners[3] = {&a, &b, &c};
    double ex[3], ey[3], e0[3];
    for (int i = 0; i < 3; ++i) {
        const ScreenPoint& p = *corners[i];
        const ScreenPoint& q = *corners[(i + 1) % 3];
        ex[i] = sign * (p.y - q.y);
        ey[i] = sign * (q.x - p.x);
        e0[i] = -(ex[i] * p.x + ey[i] * p.y);
    }
    for (int row = row_from; row <= row_to; ++row) {
        const double y = row + 0.5;
        double from = column_from + 0.5, to = column_to + 0.5;
        bool empty = false;
        for (int i = 0; i < 3 && !empty; ++i) {
            const double rest = ey[i] * y + e0[i];
            const double slack = edge_slack * (std::abs(ex[i]) + std::abs(ey[i]));
            if (ex[i] > 0) from = std::max(from, (-rest - slack) / ex[i]);
            else if (ex[i] < 0) to = std::min(to, (-rest - slack) / ex[i]);
            else if (rest < -slack) empty = true;
        }
        if (empty) continue;
        const int first = std::max(column_from, int(std::ceil(from - 0.5)));
        const int last = std::min(column_to, int(std::floor(to - 0.5)));
        float* out = depth.z.data() + std::size_t(row) * std::size_t(depth.width);
        const double row_z = a.z + dz_dy * (y - a.y) - dz_dx * a.x;
        for (int x = first; x <= last; ++x) {
            const float z = std::clamp(float(row_z + dz_dx * (x + 0.5)), z_low, z_high);
            if (z > out[x]) out[x] = z;
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
    depth.z.assign(std::size_t(depth.width) * std::size_t(depth.height), ModelDepth::uncovered);
    if (depth.z.empty()) return depth;

    std::vector<ScreenPoint> screen(turned.size());
    for (std::size_t i = 0; i < turned.size(); ++i)
        screen[i] = {(turned[i].x - placement.centre_x) * placement.scale + width / 2.0,
                     (placement.centre_y - turned[i].y) * placement.scale + height / 2.0, turned[i].z};

    // Bands of rows, one per core, each going over every triangle.
    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    const std::size_t work = mesh.triangles.size() + std::size_t(depth.width) * std::size_t(depth.height) / 64;
    const int bands = work < 20000 ? 1 : std::min(cores, depth.height);
    auto rasterize_band = [&](int band) {
        const int first_row = int(std::int64_t(depth.height) * band / bands);
        const int end_row = int(std::int64_t(depth.height) * (band + 1) / bands);
        for (const auto& t : mesh.triangles) {
            if (t[0] >= screen.size() || t[1] >= screen.size() || t[2] >= screen.size()) continue;
            rasterize_triangle(screen[t[0]], screen[t[1]], screen[t[2]], first_row, end_row, depth);
        }
    };
    std::vector<std::thread> helpers;
    for (int band = 1; band < bands; ++band) helpers.emplace_back(rasterize_band, band);
    rasterize_band(0);
    for (std::thread& helper : helpers) helper.join();

    for (const float z : depth.z) {
        if (z == ModelDepth::uncovered) continue;
        if (!depth.any_covered) {
            depth.nearest = depth.farthest = z;
            depth.any_covered = true;
        }
        depth.nearest = std::max(depth.nearest, z);
        depth.farthest = std::min(depth.farthest, z);
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

#include "core/mesh.h"
#include <cmath>
#include <numbers>

std::vector<MeshPoint> turned_points(const std::vector<MeshPoint>& points, ModelTurn turn)
{
    const double radians = std::numbers::pi / 180.0;
    const double cr = std::cos(turn.roll * radians), sr = std::sin(turn.roll * radians);
    const double cp = std::cos(turn.pitch * radians), sp = std::sin(turn.pitch * radians);
    const double cy = std::cos(turn.yaw * radians), sy = std::sin(turn.yaw * radians);
    // Yaw * Pitch * Roll, so that roll acts first.
    const double m[3][3] = {
        {cy * cr + sy * sp * sr, -cy * sr + sy * sp * cr, sy * cp},
        {cp * sr, cp * cr, -sp},
        {-sy * cr + cy * sp * sr, sy * sr + cy * sp * cr, cy * cp},
    };
    std::vector<MeshPoint> turned(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const MeshPoint& p = points[i];
        turned[i] = {float(m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z),
                     float(m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z),
                     float(m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z)};
    }
    return turned;
}

MeshBox used_box(const std::vector<MeshPoint>& points, const Mesh& mesh)
{
    MeshBox box;
    std::vector<bool> seen(points.size());
    for (const auto& triangle : mesh.triangles) {
        for (const std::uint32_t index : triangle) {
            if (index >= points.size() || seen[index]) continue;
            seen[index] = true;
            const MeshPoint& p = points[index];
            if (box.empty) {
                box = {p.x, p.x, p.y, p.y, p.z, p.z, false};
                continue;
            }
            box.min_x = std::min(box.min_x, p.x);
            box.max_x = std::max(box.max_x, p.x);
            box.min_y = std::min(box.min_y, p.y);
            box.max_y = std::max(box.max_y, p.y);
            box.min_z = std::min(box.min_z, p.z);
            box.max_z = std::max(box.max_z, p.z);
        }
    }
    return box;
}

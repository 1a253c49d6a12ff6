#pragma once
// A 3D model as the program places it: points and the triangles between
// them, seen in parallel projection by a viewer on +Z looking toward -Z,
// +Y up and +X right.
#include <array>
#include <cstdint>
#include <vector>

struct MeshPoint {
    float x = 0, y = 0, z = 0;
};

struct Mesh {
    std::vector<MeshPoint> points;
    std::vector<std::array<std::uint32_t, 3>> triangles; // indices into points
};

// How the model is turned before it is seen, in degrees, each counter-
// clockwise as seen from the positive end of its axis.
struct ModelTurn {
    double yaw = 0;   // about Y
    double pitch = 0; // about X
    double roll = 0;  // about Z
};

// The mesh's points turned: roll first, then pitch, then yaw.
std::vector<MeshPoint> turned_points(const std::vector<MeshPoint>& points, ModelTurn turn);

// The box round the points that triangles use.
struct MeshBox {
    float min_x = 0, max_x = 0, min_y = 0, max_y = 0, min_z = 0, max_z = 0;
    bool empty = true;
    float width() const { return max_x - min_x; }
    float height() const { return max_y - min_y; }
};
MeshBox used_box(const std::vector<MeshPoint>& points, const Mesh& mesh);

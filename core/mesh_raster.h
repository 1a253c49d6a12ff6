#pragma once
// A model's depth image: the nearest surface at every pixel, found by a
// z-buffer over the model's triangles with the depth interpolated across
// each triangle. Large images are worked on every core.
#include "core/mesh.h"
#include <cmath>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

// Leaves the elements of a resized vector unset, for buffers whose every
// element is written before it is read, by several threads at once.
template <class T> struct UnsetAllocator : std::allocator<T> {
    template <class U> struct rebind {
        using other = UnsetAllocator<U>;
    };
    UnsetAllocator() = default;
    template <class U> UnsetAllocator(const UnsetAllocator<U>&) noexcept {}
    template <class U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
    template <class U, class... Args> void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

struct ModelDepth {
    static constexpr float uncovered = -std::numeric_limits<float>::infinity();
    int width = 0;
    int height = 0;
    std::vector<float, UnsetAllocator<float>> z; // row by row, top row first; `uncovered` where no triangle lies
    float nearest = 0;    // the largest z of a covered pixel
    float farthest = 0;   // the smallest
    bool any_covered = false;
    bool covered(int x, int y) const { return z[std::size_t(y) * std::size_t(width) + std::size_t(x)] != uncovered; }
};

// Where the turned model lies on the image: model point (x, y) lands on
// pixel position ((x - centre_x) * scale + width / 2, (centre_y - y) * scale + height / 2).
struct ModelPlacement {
    double scale = 1;
    double centre_x = 0;
    double centre_y = 0;
};

// Pixel (px, py) is covered when its centre lies inside a triangle or on
// its edge, so that triangles sharing an edge leave no gap between them.
ModelDepth rasterize_model(const std::vector<MeshPoint>& turned, const Mesh& mesh, int width, int height,
                           ModelPlacement placement);

// The placement that fits `box` inside width x height, `margin` pixels
// clear on every side, centred.
ModelPlacement fitted_placement(const MeshBox& box, int width, int height, int margin);

// The pixel size of the turned model at `width` pixels across: its height
// in proportion, at least 1.
int proportional_height(const MeshBox& box, int width);

// The model turned and fitted inside width x height with `margin` pixels clear.
ModelDepth model_depth(const Mesh& mesh, ModelTurn turn, int width, int height, int margin);

// Relief levels of the covered pixels: the farthest visible point 0, the
// nearest 1; NaN where nothing is covered. A model seen edge-on (no depth)
// is all 1.
std::vector<float> relief_levels(const ModelDepth& depth);

#include "veride/model_depth_map.h"
#include "core/mesh_raster.h"
#include <algorithm>
#include <cmath>

int model_margin(int width_px, int height_px)
{
    return std::min(width_px, height_px) / 20;
}

DepthMap model_depth_map(const Mesh& mesh, ModelTurn turn, int width_px, int height_px, double relief_mm,
                         DepthLimits limits)
{
    const ModelDepth depth = model_depth(mesh, turn, width_px, height_px, model_margin(width_px, height_px));
    const std::vector<float> levels = relief_levels(depth);
    std::vector<std::int32_t> heights(levels.size(), 0);
    for (std::size_t i = 0; i < levels.size(); ++i) {
        if (std::isnan(levels[i])) continue;
        const double height = std::round(levels[i] * relief_mm);
        heights[i] = std::int32_t(std::clamp(height, double(limits.min_height), double(limits.max_height)));
    }
    return DepthMap::from_heights(width_px, height_px, heights);
}

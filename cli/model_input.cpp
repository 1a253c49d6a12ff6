#include "cli/model_input.h"
#include "core/mesh_raster.h"
#include "files/model_file.h"
#include <algorithm>
#include <cmath>
#include <new>

int model_margin(int width_px, int height_px)
{
    return std::min(width_px, height_px) / 20;
}

CliInput read_model_input(const QString& path, const ModelView& view, int dpi, DepthLimits limits)
{
    const ModelFile model = read_model_file(path);
    if (!model.error.isEmpty()) {
        CliInput input;
        input.error = QStringLiteral("cannot read %1 as a 3D model: %2").arg(path, model.error);
        return input;
    }
    return model_input(model.mesh, path, view, dpi, limits);
}

CliInput model_input(const Mesh& mesh, const QString& path, const ModelView& view, int dpi, DepthLimits limits)
{
    CliInput input;
    input.width_px = view.width_px;
    input.height_px = view.height_px;
    input.width_mm = millimetres_at(view.width_px, dpi);
    input.height_mm = millimetres_at(view.height_px, dpi);
    const double relief = view.relief_mm.value_or(limits.max_height);
    try {
        const ModelDepth depth = model_depth(mesh, view.turn, view.width_px, view.height_px,
                                             model_margin(view.width_px, view.height_px));
        const std::vector<float> levels = relief_levels(depth);
        std::vector<std::int32_t> heights(levels.size(), 0);
        for (std::size_t i = 0; i < levels.size(); ++i) {
            if (std::isnan(levels[i])) continue;
            const double height = std::round(levels[i] * relief);
            heights[i] = std::int32_t(std::clamp(height, double(limits.min_height), double(limits.max_height)));
        }
        input.depth = DepthMap::from_heights(view.width_px, view.height_px, heights);
    } catch (const std::bad_alloc&) {
        input.error = QStringLiteral("there is not enough memory to render %1 at %2 x %3 pixels")
                          .arg(path)
                          .arg(view.width_px)
                          .arg(view.height_px);
    }
    return input;
}

#include "cli/model_input.h"
#include "files/model_file.h"
#include <new>

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
        input.depth = model_depth_map(mesh, view.turn, view.width_px, view.height_px, relief, limits);
    } catch (const std::bad_alloc&) {
        input.error = QStringLiteral("there is not enough memory to render %1 at %2 x %3 pixels")
                          .arg(path)
                          .arg(view.width_px)
                          .arg(view.height_px);
    }
    return input;
}

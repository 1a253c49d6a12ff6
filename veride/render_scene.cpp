#include "veride/render_scene.h"
#include "veride/geometry.h"
#include "veride/stereo_pair.h"
#include <QElapsedTimer>
#include <algorithm>
#include <cmath>
#include <new>
#include <QCoreApplication>

namespace {

std::optional<QString> size_problem(std::int64_t width, std::int64_t height)
{
    if (width * height > largest_panel_pixels || width > StereogramRows::widest_row)
        return QCoreApplication::translate("Renderer", "A panel of %1 x %2 pixels is too large to render.").arg(width).arg(height);
    return std::nullopt;
}

void render_stereogram_into(RenderResult& result, const RenderSettings& settings, std::uint64_t seed,
                            const RenderControl& control, const PictureOptions& options)
{
    const bool views = options.layout != PictureLayout::Stereogram;
    const int k = views ? 1 : std::clamp(options.oversample, 1, PictureOptions::most_oversampling);
    const StereoGeometry geometry = StereoGeometry(settings).oversampled(k);
    const std::int64_t bytes = height_array_bytes(settings.min_height, settings.max_height);
    const bool too_large = bytes > std::int64_t(settings.heightarray_limit) * 1000;
    if (too_large && !settings.donotusearray)
        result.warnings << QCoreApplication::translate("Renderer", "The height array needs %1 Kbytes, more than the limit of %2 Kbytes; "
                                          "it is used all the same.")
                               .arg(double(bytes) / 1000.0)
                               .arg(settings.heightarray_limit);
    const SeparationTable separations(geometry, settings.min_height, settings.max_height,
                                      !(too_large && settings.donotusearray), options.cross_eyed && !views);
    auto picture_pixels = [&](double z) { return static_cast<int>(std::floor(separations.exact(z) / k + 0.5)); };
    const DepthMap& depth = result.depth;
    if (!depth.runs.empty()) {
        const auto [low, high] = depth.range();
        result.nearest_separation = picture_pixels(high);
        result.farthest_separation = picture_pixels(low);
        // Links are 2-byte offsets within the wide row.
        const double widest = std::max(separations.exact(low), separations.exact(high));
        if (k > 1 && widest >= StereogramRows::widest_row) {
            result.error = QCoreApplication::translate("Renderer", "Oversampling %1 times is too fine for separations of %2 pixels.")
                               .arg(k)
                               .arg(std::max(result.nearest_separation, result.farthest_separation));
            return;
        }
    }
    result.zero_separation = picture_pixels(0);
    const Pattern pattern = pattern_row(options.pattern).make({options, settings, seed, k, separations, depth});
    if (views)
        result.stereogram = laid_out_views(stereo_views(depth, geometry, pattern, control), options.layout);
    else
        result.stereogram = render_stereogram(depth, geometry, separations, pattern, control);
    result.cancelled = result.stereogram.isNull() && depth.width > 0 && depth.height > 0;
}

template <typename MakeDepth>
RenderResult render_with(const RenderSettings& settings, std::uint64_t seed, const RenderControl& control,
                         const PictureOptions& options, MakeDepth make_depth)
{
    RenderResult result;
    QElapsedTimer clock;
    clock.start();
    if (const auto problem = geometry_problem(settings)) {
        result.error = *problem;
        return result;
    }
    if (pattern_row(options.pattern).uses_tile && options.tile.isNull()) {
        result.error = QCoreApplication::translate("Renderer", "The pattern image is empty or could not be read.");
        return result;
    }
    try {
        if (!make_depth(result)) return result;
        render_stereogram_into(result, settings, seed, control, options);
    } catch (const std::bad_alloc&) {
        result.error = QCoreApplication::translate("Renderer", "There is not enough memory to render a panel of %1 x %2 pixels.")
                           .arg(result.depth.width).arg(result.depth.height);
        result.stereogram = QImage();
    }
    result.seconds = clock.nsecsElapsed() / 1e9;
    return result;
}

} // namespace

RenderResult render_scene(const std::vector<SceneObject>& objects, const RenderSettings& settings,
                          std::uint64_t seed, const RenderControl& control, const PictureOptions& options,
                          const BitmapReader& read_bitmap)
{
    return render_with(settings, seed, control, options, [&](RenderResult& result) {
        if (const auto problem = size_problem(settings.width_px, settings.height_px)) {
            result.error = *problem;
            return false;
        }
        result.depth = build_depth_map(settings.width_px, settings.height_px, objects,
                                       {settings.min_height, settings.max_height}, result.warnings, read_bitmap);
        return true;
    });
}

RenderResult render_depth_map(DepthMap depth, const RenderSettings& given, std::uint64_t seed,
                              const RenderControl& control, const PictureOptions& options)
{
    RenderSettings settings = given;
    settings.width_px = depth.width;
    settings.height_px = depth.height;
    return render_with(settings, seed, control, options, [&](RenderResult& result) {
        if (const auto problem = size_problem(depth.width, depth.height)) {
            result.error = *problem;
            return false;
        }
        result.depth = std::move(depth);
        return true;
    });
}

#include "veride/render_scene.h"
#include "veride/geometry.h"
#include <QElapsedTimer>
#include <algorithm>
#include <cmath>
#include <new>

namespace {

std::optional<QString> size_problem(std::int64_t width, std::int64_t height)
{
    if (width * height > largest_panel_pixels || width > StereogramRows::widest_row)
        return QStringLiteral("A panel of %1 x %2 pixels is too large to render.").arg(width).arg(height);
    return std::nullopt;
}

// The height most of the map lies at: its background, as a rule. The
// farthest of equals; the lowest height when the range is too wide to count.
std::int32_t commonest_height(const DepthMap& depth)
{
    const auto [low, high] = depth.range();
    if (std::int64_t(high) - low >= (1 << 20)) return low;
    std::vector<std::int64_t> count(std::size_t(std::int64_t(high) - low + 1));
    for (int y = 0; y < depth.height; ++y) {
        const auto row = depth.row(y);
        for (std::size_t i = 0; i < row.size(); ++i)
            count[std::size_t(row[i].z - low)] += (i + 1 < row.size() ? row[i + 1].begin : depth.width) - row[i].begin;
    }
    return low + static_cast<std::int32_t>(std::max_element(count.begin(), count.end()) - count.begin());
}

// What the free pixels show, for rows of k samples per pixel.
Pattern pattern_of(const PictureOptions& options, const RenderSettings& settings, std::uint64_t seed, int k,
                   const SeparationTable& separations, const DepthMap& depth)
{
    switch (options.pattern) {
    case PictureOptions::Pattern::ColorDots:
        return Pattern::color_dots(seed, std::clamp(options.colors, PictureOptions::fewest_colors,
                                                    PictureOptions::most_colors), k);
    case PictureOptions::Pattern::Image:
        return Pattern::image(options.tile, options.tile_own_size, separations(commonest_height(depth)), k,
                              depth.width, depth.height);
    case PictureOptions::Pattern::Dots:
        break;
    }
    return Pattern::dots(seed, dot_colors(settings.rendercolor_base, settings.rendercolor_range), k);
}

void render_stereogram_into(RenderResult& result, const RenderSettings& settings, std::uint64_t seed,
                            const RenderControl& control, const PictureOptions& options)
{
    const int k = std::clamp(options.oversample, 1, PictureOptions::most_oversampling);
    const StereoGeometry geometry = StereoGeometry(settings).oversampled(k);
    const std::int64_t bytes = height_array_bytes(settings.min_height, settings.max_height);
    const bool too_large = bytes > std::int64_t(settings.heightarray_limit) * 1000;
    if (too_large && !settings.donotusearray)
        result.warnings << QStringLiteral("The height array needs %1 Kbytes, more than the limit of %2 Kbytes; "
                                          "it is used all the same.")
                               .arg(double(bytes) / 1000.0)
                               .arg(settings.heightarray_limit);
    const SeparationTable separations(geometry, settings.min_height, settings.max_height,
                                      !(too_large && settings.donotusearray), options.cross_eyed);
    auto picture_pixels = [&](double z) { return static_cast<int>(std::floor(separations.exact(z) / k + 0.5)); };
    const DepthMap& depth = result.depth;
    if (!depth.runs.empty()) {
        const auto [low, high] = depth.range();
        result.nearest_separation = picture_pixels(high);
        result.farthest_separation = picture_pixels(low);
        // Links are 2-byte offsets within the wide row.
        const double widest = std::max(separations.exact(low), separations.exact(high));
        if (k > 1 && widest >= StereogramRows::widest_row) {
            result.error = QStringLiteral("Oversampling %1 times is too fine for separations of %2 pixels.")
                               .arg(k)
                               .arg(std::max(result.nearest_separation, result.farthest_separation));
            return;
        }
    }
    result.zero_separation = picture_pixels(0);
    result.stereogram = render_stereogram(depth, geometry, separations,
                                          pattern_of(options, settings, seed, k, separations, depth), control);
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
    if (options.pattern == PictureOptions::Pattern::Image && options.tile.isNull()) {
        result.error = QStringLiteral("The pattern image is empty or could not be read.");
        return result;
    }
    try {
        if (!make_depth(result)) return result;
        render_stereogram_into(result, settings, seed, control, options);
    } catch (const std::bad_alloc&) {
        result.error = QStringLiteral("There is not enough memory to render a panel of %1 x %2 pixels.")
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

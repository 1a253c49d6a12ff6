#include "cli/cli_render.h"
#include "cli/cli_input.h"
#include "core/object_size.h"
#include "platform/regular_file.h"
#include "veride/guides.h"
#include "veride/picture_file.h"
#include "veride/render_scene.h"
#include <QFileInfo>

namespace {

QString write_image(const QImage& image, const QString& path, const QByteArray& format, const char* what)
{
    const QString error = write_picture_file(image, path, format);
    return error.isEmpty() ? error
                           : QStringLiteral("cannot write the %1 to %2: %3").arg(QLatin1String(what), path, error);
}

// PNG or BMP by the output's extension.
QByteArray output_format(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("bmp") ? suffix.toLatin1() : QByteArray();
}

// The picture the options ask for; `error` is set when the tile cannot be read.
PictureOptions picture_options(const CliOptions& options, QString& error)
{
    PictureOptions picture;
    if (!options.pattern.isEmpty()) {
        QString why;
        picture.tile = platform::read_image_file(options.pattern, max_object_pixels, why);
        if (picture.tile.isNull())
            error = QStringLiteral("cannot read the pattern image %1: %2").arg(options.pattern, why);
        picture.pattern = PictureOptions::Pattern::Image;
        picture.tile_own_size = options.keep_tile_size;
    } else if (options.colors != 0) {
        picture.pattern = PictureOptions::Pattern::ColorDots;
        picture.colors = options.colors;
    }
    picture.oversample = options.oversample;
    picture.cross_eyed = options.cross_eyed;
    picture.guides = options.guides;
    return picture;
}

} // namespace

CliOutcome run_render(const CliOptions& options, const ConfigurationRecord& configuration)
{
    CliOutcome outcome;
    const QByteArray format = output_format(options.output);
    if (format.isEmpty()) {
        outcome.error = QStringLiteral("the output %1 must end in .png or .bmp").arg(options.output);
        return outcome;
    }
    const PictureOptions picture = picture_options(options, outcome.error);
    if (!outcome.error.isEmpty()) return outcome;
    const ConfigurationBlock block = configuration_block(configuration);
    const std::int32_t no_panel[4] = {};
    RenderSettings settings = settings_from_blocks(block.data(), reinterpret_cast<const unsigned char*>(no_panel));

    CliInput input = read_cli_input(options.input, options.dpi, {settings.min_height, settings.max_height});
    if (!input.error.isEmpty()) {
        outcome.error = input.error;
        return outcome;
    }
    settings.width_mm = input.width_mm;
    settings.height_mm = input.height_mm;
    settings.width_px = input.width_px;
    settings.height_px = input.height_px;
    const RenderResult result = input.depth
        ? render_depth_map(std::move(*input.depth), settings, options.seed, {}, picture)
        : render_scene(input.objects, settings, options.seed, {}, picture, bitmap_reader_for(input.drawing_folder));
    outcome.warnings = result.warnings;
    if (!result.ok()) {
        outcome.error = result.error;
        return outcome;
    }
    const QImage stereogram =
        picture.guides ? picture_with_guides(result.stereogram, result.zero_separation) : result.stereogram;
    outcome.error = write_image(stereogram, options.output, format, "stereogram");
    if (outcome.error.isEmpty() && !options.depth_map.isEmpty())
        outcome.error = write_image(depth_map_image(result.depth), options.depth_map, "png", "depth map");
    return outcome;
}

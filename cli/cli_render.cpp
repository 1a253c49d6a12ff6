#include "cli/cli_render.h"
#include "cli/cli_input.h"
#include "veride/render_scene.h"
#include <QFileInfo>
#include <QImageWriter>

namespace {

QString write_image(const QImage& image, const QString& path, const char* format, const char* what)
{
    QImageWriter writer(path, format);
    if (writer.write(image)) return QString();
    return QStringLiteral("cannot write the %1 to %2: %3").arg(QLatin1String(what), path, writer.errorString());
}

// PNG or BMP by the output's extension.
QByteArray output_format(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("bmp") ? suffix.toLatin1() : QByteArray();
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
    const RenderResult result = input.depth ? render_depth_map(std::move(*input.depth), settings, options.seed)
                                            : render_scene(input.objects, settings, options.seed);
    outcome.warnings = result.warnings;
    if (!result.ok()) {
        outcome.error = result.error;
        return outcome;
    }
    outcome.error = write_image(result.stereogram, options.output, format.constData(), "stereogram");
    if (outcome.error.isEmpty() && !options.depth_map.isEmpty())
        outcome.error = write_image(depth_map_image(result.depth), options.depth_map, "png", "depth map");
    return outcome;
}

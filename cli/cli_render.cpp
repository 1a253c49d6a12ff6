#include "cli/cli_render.h"
#include "cli/cli_input.h"
#include "cli/model_input.h"
#include "veride/export.h"

namespace {

// The picture the options ask for; `error` is set when the pattern's value
// cannot be used (a tile that cannot be read).
PictureOptions picture_options(const CliOptions& options, QString& error)
{
    PictureOptions picture;
    picture.pattern = options.pattern;
    const PatternOption& chosen = pattern_row(options.pattern).cli;
    if (chosen.apply) error = chosen.apply(options.pattern_value, options.pattern_switch, picture);
    picture.oversample = options.oversample;
    picture.cross_eyed = options.cross_eyed;
    picture.guides = options.guides;
    return picture;
}

QString say_unwritten(const QString& error, const char* what, const QString& path)
{
    return error.isEmpty() ? error
                           : QStringLiteral("cannot write the %1 to %2: %3").arg(QLatin1String(what), path, error);
}

} // namespace

CliOutcome run_render(const CliOptions& options, const ConfigurationRecord& configuration)
{
    CliOutcome outcome;
    const QByteArray format = picture_format(options.output);
    if (format.isEmpty()) {
        outcome.error = QStringLiteral("the output %1 must end in .png or .bmp").arg(options.output);
        return outcome;
    }
    const PictureOptions picture = picture_options(options, outcome.error);
    if (!outcome.error.isEmpty()) return outcome;
    const ConfigurationBlock block = configuration_block(configuration);
    const std::int32_t no_panel[4] = {};
    RenderInputs inputs;
    inputs.settings = settings_from_blocks(block.data(), reinterpret_cast<const unsigned char*>(no_panel));
    inputs.seed = options.seed;

    CliInput input =
        read_cli_input(options.input, options.dpi, {inputs.settings.min_height, inputs.settings.max_height}, options.model);
    if (!input.error.isEmpty()) {
        outcome.error = input.error;
        return outcome;
    }
    inputs.settings.width_mm = input.width_mm;
    inputs.settings.height_mm = input.height_mm;
    inputs.settings.width_px = input.width_px;
    inputs.settings.height_px = input.height_px;
    inputs.objects = std::move(input.objects);
    inputs.depth = std::move(input.depth);
    inputs.drawing_folder = input.drawing_folder;
    const RenderResult result = render_inputs(inputs, picture);
    outcome.warnings = result.warnings;
    if (!result.ok()) {
        outcome.error = result.error;
        return outcome;
    }
    outcome.error = say_unwritten(export_stereogram(result, picture, options.output, format), "stereogram",
                                  options.output);
    if (outcome.error.isEmpty() && !options.depth_map.isEmpty())
        outcome.error =
            say_unwritten(export_depth_map(result, options.depth_map), "depth map", options.depth_map);
    return outcome;
}

#include "cli/cli_render.h"
#include "cli/cli_input.h"
#include "cli/model_input.h"
#include "files/model_file.h"
#include "veride/animation.h"
#include "veride/export.h"
#include <new>
#include <optional>

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
    picture.layout = options.layout;
    return picture;
}

QString say_unwritten(const QString& error, const char* what, const QString& path)
{
    return error.isEmpty() ? error
                           : QStringLiteral("cannot write the %1 to %2: %3").arg(QLatin1String(what), path, error);
}

// Renders the frames one by one: every input in turn, or a model turning.
class FrameRenderer {
public:
    FrameRenderer(const CliOptions& options, const ConfigurationRecord& configuration, const PictureOptions& picture)
        : options_(options), picture_(picture)
    {
        const ConfigurationBlock block = configuration_block(configuration);
        const std::int32_t no_panel[4] = {};
        settings_ = settings_from_blocks(block.data(), reinterpret_cast<const unsigned char*>(no_panel));
    }

    int count() const { return options_.turntable > 0 ? options_.turntable : int(options_.inputs.size()); }

    // Frame i; `error` is set when it cannot be made, a size unlike the first frame's included.
    RenderResult render(int i, CliOutcome& outcome)
    {
        const QString& path = options_.turntable > 0 ? options_.input : options_.inputs[i];
        const DepthLimits limits{settings_.min_height, settings_.max_height};
        CliInput input;
        if (options_.turntable > 0) {
            // Frame 0 is the still picture of the model as given.
            ModelView view = options_.model;
            view.turn.yaw += 360.0 * i / options_.turntable;
            if (!model_) {
                ModelFile model = read_model_file(path);
                if (!model.error.isEmpty()) {
                    outcome.error = QStringLiteral("cannot read %1 as a 3D model: %2").arg(path, model.error);
                    return {};
                }
                model_ = std::move(model.mesh);
            }
            input = model_input(*model_, path, view, options_.dpi, limits);
        } else {
            input = read_cli_input(path, options_.dpi, limits, options_.model);
        }
        if (!input.error.isEmpty()) {
            outcome.error = input.error;
            return {};
        }
        if (i == 0) {
            first_ = path;
            first_size_ = {input.width_px, input.height_px};
        } else if (QSize(input.width_px, input.height_px) != first_size_) {
            outcome.error = QStringLiteral("%1 is %2 x %3 pixels and %4 is %5 x %6: the frames of an animation are "
                                           "of one size")
                                .arg(path)
                                .arg(input.width_px)
                                .arg(input.height_px)
                                .arg(first_)
                                .arg(first_size_.width())
                                .arg(first_size_.height());
            return {};
        }
        RenderInputs inputs;
        inputs.settings = settings_;
        inputs.seed = options_.seed; // one seed for every frame: a row that stays still keeps its dots
        inputs.settings.width_mm = input.width_mm;
        inputs.settings.height_mm = input.height_mm;
        inputs.settings.width_px = input.width_px;
        inputs.settings.height_px = input.height_px;
        inputs.objects = std::move(input.objects);
        inputs.depth = std::move(input.depth);
        inputs.drawing_folder = input.drawing_folder;
        RenderResult result = render_inputs(inputs, picture_);
        outcome.warnings << result.warnings;
        if (!result.ok()) outcome.error = result.error;
        return result;
    }

private:
    const CliOptions& options_;
    const PictureOptions& picture_;
    RenderSettings settings_;
    std::optional<Mesh> model_;
    QString first_;
    QSize first_size_;
};

} // namespace

CliOutcome run_render(const CliOptions& options, const ConfigurationRecord& configuration)
{
    CliOutcome outcome;
    const QByteArray format = picture_format(options.output);
    const QByteArray moving = animation_format(options.output);
    if (format.isEmpty() && moving.isEmpty()) {
        outcome.error = QStringLiteral("the output %1 must end in .png, .bmp, .gif or .webp").arg(options.output);
        return outcome;
    }
    const PictureOptions picture = picture_options(options, outcome.error);
    if (!outcome.error.isEmpty()) return outcome;
    FrameRenderer frames(options, configuration, picture);

    if (!moving.isEmpty()) {
        const std::unique_ptr<AnimationEncoder> encoder = animation_encoder(moving, options.frame_ms);
        // The frames wait in memory, a byte or so a pixel, until the file is made.
        try {
            for (int i = 0; i < frames.count(); ++i) {
                const RenderResult result = frames.render(i, outcome);
                if (!outcome.error.isEmpty()) return outcome;
                outcome.error = encoder->add(laid_out_picture(result, picture));
                if (!outcome.error.isEmpty()) return outcome;
            }
            outcome.warnings.removeDuplicates(); // told once, not once a frame
            outcome.error = say_unwritten(export_animation(*encoder, options.output), "animation", options.output);
        } catch (const std::bad_alloc&) {
            outcome.error = QStringLiteral("there is not enough memory for the %1 frames of %2")
                                .arg(frames.count())
                                .arg(options.output);
        }
        return outcome;
    }
    const RenderResult result = frames.render(0, outcome);
    if (!outcome.error.isEmpty()) return outcome;
    outcome.error = say_unwritten(export_stereogram(result, picture, options.output, format), "stereogram",
                                  options.output);
    if (outcome.error.isEmpty() && !options.depth_map.isEmpty())
        outcome.error =
            say_unwritten(export_depth_map(result, options.depth_map), "depth map", options.depth_map);
    return outcome;
}

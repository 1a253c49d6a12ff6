#include "cli/cli_options.h"
#include "core/object_size.h"
#include "files/model_file.h"
#include "render/render_name.h"
#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace {

// The patterns as the command line lists them: in the table's reverse
// order, which puts the tile before the colours as the tool always has.
std::vector<const PatternRow*> spelled_patterns()
{
    std::vector<const PatternRow*> rows;
    for (const PatternRow& row : pattern_rows())
        if (row.cli.name) rows.insert(rows.begin(), &row);
    return rows;
}

QString latin(const char* text)
{
    return QString::fromLatin1(text);
}

QString dashed(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// The options of a render, and --help and --version.
struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this text.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Shows the version.")};
    QCommandLineOption output{{QStringLiteral("o"), QStringLiteral("output")},
                              QStringLiteral("The stereogram's file, .png or .bmp, or an animation's, .gif or "
                                             ".webp (default: the render name of INPUT with .png, or .gif for an "
                                             "animation, in the current folder)."),
                              QStringLiteral("OUTPUT")};
    QCommandLineOption depth_map{QStringLiteral("depth-map"),
                                 QStringLiteral("Writes the depth map too, as a greyscale PNG (near is white)."),
                                 QStringLiteral("DEPTH.png")};
    QCommandLineOption seed{QStringLiteral("seed"), QStringLiteral("The seed of the random dots (default 1)."),
                            QStringLiteral("N")};
    QCommandLineOption dpi{QStringLiteral("dpi"),
                           QStringLiteral("The resolution a depth-map image or a 3D model is rendered at "
                                          "(default 96)."),
                           QStringLiteral("N")};
    QCommandLineOption oversample{QStringLiteral("oversample"),
                                  QStringLiteral("Depth in steps of 1/K pixel, 1 to 8 (default 1)."),
                                  QStringLiteral("K")};
    QCommandLineOption cross_eyed{QStringLiteral("cross-eyed"),
                                  QStringLiteral("Makes the picture for cross-eyed viewing.")};
    QCommandLineOption guides{QStringLiteral("guides"),
                              QStringLiteral("Adds a strip with the two guide dots above the picture.")};

    QCommandLineOption layout{QStringLiteral("layout"),
                              QStringLiteral("stereogram (default), pair (two views side by side for parallel "
                                             "viewing), cross-pair (swapped, for cross-eyed viewing) or anaglyph "
                                             "(for red-cyan glasses)."),
                              QStringLiteral("LAYOUT")};
    QCommandLineOption turntable{QStringLiteral("turntable"),
                                 QStringLiteral("An animation of N frames, 2 to 360, of the 3D model INPUT turning "
                                                "once about its up axis from the given yaw."),
                                 QStringLiteral("N")};
    QCommandLineOption frame_ms{QStringLiteral("frame-ms"),
                                QStringLiteral("How long each frame of an animation shows, 20 to 60000 "
                                               "milliseconds (default 100; a GIF keeps hundredths of a second, "
                                               "rounded to the nearest)."),
                                QStringLiteral("N")};

    QCommandLineOption size{QStringLiteral("size"),
                            QStringLiteral("The picture's size in pixels when INPUT is a 3D model (default 800x600)."),
                            QStringLiteral("WxH")};
    QCommandLineOption yaw{QStringLiteral("yaw"),
                           QStringLiteral("Turns a 3D model about its up axis (Y), in degrees (default 0)."),
                           QStringLiteral("DEG")};
    QCommandLineOption pitch{QStringLiteral("pitch"),
                             QStringLiteral("Turns a 3D model about its across axis (X), in degrees (default 0)."),
                             QStringLiteral("DEG")};
    QCommandLineOption roll{QStringLiteral("roll"),
                            QStringLiteral("Turns a 3D model about the axis toward the viewer (Z), in degrees "
                                           "(default 0); roll, then pitch, then yaw."),
                            QStringLiteral("DEG")};
    QCommandLineOption relief{QStringLiteral("relief"),
                              QStringLiteral("A 3D model's depth from its farthest to its nearest visible point, in "
                                             "millimetres (default: the highest height the settings allow)."),
                              QStringLiteral("MM")};

    Parser()
    {
        parser.addOptions({help, version, output, depth_map, seed, dpi});
        for (const PatternRow* row : spelled_patterns()) {
            const PatternOption& o = row->cli;
            parser.addOption(QCommandLineOption(latin(o.name), latin(o.help), latin(o.value_name)));
            if (o.switch_name) parser.addOption(QCommandLineOption(latin(o.switch_name), latin(o.switch_help)));
        }
        parser.addOptions({oversample, cross_eyed, guides, layout, size, yaw, pitch, roll, relief, turntable,
                           frame_ms});
    }

    std::vector<const QCommandLineOption*> model_view_options() const { return {&size, &yaw, &pitch, &roll, &relief}; }

    // The parser reads the program's name first.
    bool parse(const QStringList& arguments)
    {
        return parser.parse(QStringList{QStringLiteral("dioramix-cli")} + arguments);
    }
};

// A finite number, or nothing.
std::optional<double> finite_number(const QString& text)
{
    bool ok = false;
    const double n = text.toDouble(&ok);
    if (!ok || !std::isfinite(n)) return std::nullopt;
    return n;
}

// How a 3D model is seen; `error` is set for a value that cannot be used.
ModelView model_view(const Parser& p, QString& error)
{
    ModelView view;
    const QCommandLineParser& parser = p.parser;
    if (parser.isSet(p.size)) {
        static const QRegularExpression size(QStringLiteral("^([0-9]{1,5})x([0-9]{1,5})$"));
        const QRegularExpressionMatch match = size.match(parser.value(p.size));
        const int width = match.hasMatch() ? match.captured(1).toInt() : 0;
        const int height = match.hasMatch() ? match.captured(2).toInt() : 0;
        if (width < 1 || height < 1 || width > 32767 || height > 32767) {
            error = QStringLiteral("--size takes WIDTHxHEIGHT in pixels, each from 1 to 32767, not \"%1\"")
                        .arg(parser.value(p.size));
            return view;
        }
        if (std::int64_t(width) * height > max_object_pixels) {
            error = QStringLiteral("--size %1 has more than the %2 pixels an object may have")
                        .arg(parser.value(p.size))
                        .arg(max_object_pixels);
            return view;
        }
        view.width_px = width;
        view.height_px = height;
    }
    const std::pair<const QCommandLineOption*, double*> angles[] = {
        {&p.yaw, &view.turn.yaw}, {&p.pitch, &view.turn.pitch}, {&p.roll, &view.turn.roll}};
    for (const auto& [option, angle] : angles) {
        if (!parser.isSet(*option)) continue;
        const auto n = finite_number(parser.value(*option));
        if (!n) {
            error = QStringLiteral("--%1 takes a number of degrees, not \"%2\"")
                        .arg(option->names().first(), parser.value(*option));
            return view;
        }
        *angle = *n;
    }
    if (parser.isSet(p.relief)) {
        const auto n = finite_number(parser.value(p.relief));
        if (!n || *n <= 0 || *n > 100000) {
            error = QStringLiteral("--relief takes a number of millimetres above 0 and up to 100000, not \"%1\"")
                        .arg(parser.value(p.relief));
            return view;
        }
        view.relief_mm = *n;
    }
    return view;
}

// A whole number from `low` to `high`, or nothing.
std::optional<qulonglong> whole_number(const QString& text, qulonglong low, qulonglong high)
{
    bool ok = false;
    const qulonglong n = text.toULongLong(&ok);
    if (!ok || n < low || n > high) return std::nullopt;
    return n;
}

// The layout, and what makes an animation: several inputs or a turning
// model, shown frame by frame.
void animation_options(const Parser& p, CliOptions& options, QString& error)
{
    const QCommandLineParser& parser = p.parser;
    if (parser.isSet(p.layout)) {
        const std::optional<PictureLayout> layout = layout_named(parser.value(p.layout));
        if (!layout) {
            error = QStringLiteral("--layout takes stereogram, pair, cross-pair or anaglyph, not \"%1\"")
                        .arg(parser.value(p.layout));
            return;
        }
        options.layout = *layout;
    }
    if (options.layout != PictureLayout::Stereogram && options.cross_eyed) {
        error = QStringLiteral("--cross-eyed goes with --layout stereogram; --layout cross-pair lays out a pair for "
                               "cross-eyed viewing");
        return;
    }
    if (options.layout != PictureLayout::Stereogram && options.guides) {
        error = QStringLiteral("--guides goes with --layout stereogram");
        return;
    }
    if (parser.isSet(p.turntable)) {
        const auto n = whole_number(parser.value(p.turntable), 2, 360);
        if (!n) {
            error = QStringLiteral("--turntable takes a whole number of frames from 2 to 360");
            return;
        }
        if (options.inputs.size() != 1 || !is_model_file_name(options.input)) {
            error = QStringLiteral("--turntable goes with one 3D model as INPUT");
            return;
        }
        options.turntable = int(*n);
    }
    if (parser.isSet(p.frame_ms)) {
        const auto n = whole_number(parser.value(p.frame_ms), shortest_frame_ms, longest_frame_ms);
        if (!n) {
            error = QStringLiteral("--frame-ms takes a whole number of milliseconds from %1 to %2")
                        .arg(shortest_frame_ms)
                        .arg(longest_frame_ms);
            return;
        }
        options.frame_ms = int(*n);
    }
    const bool moving = options.inputs.size() > 1 || options.turntable > 0;
    if (moving && !options.output.isEmpty() && !options.animated()) {
        error = options.turntable > 0
            ? QStringLiteral("--turntable makes an animation: the output %1 must end in .gif or .webp")
                  .arg(options.output)
            : QStringLiteral("several inputs make an animation: the output %1 must end in .gif or .webp")
                  .arg(options.output);
        return;
    }
    // An animation of one frame is allowed: a GIF or WebP of one picture.
    const bool animated = moving || options.animated();
    if (parser.isSet(p.frame_ms) && !animated) error = QStringLiteral("--frame-ms goes with an animation");
    else if (animated && !options.depth_map.isEmpty()) error = QStringLiteral("--depth-map goes with a still picture");
}

} // namespace

CliCommand cli_command(const QStringList& arguments)
{
    // After "--" every argument is a file name.
    const qsizetype names_from = arguments.indexOf(QLatin1String("--"));
    const QStringList options = names_from < 0 ? arguments : arguments.first(names_from);
    const bool asks_help = options.contains(QLatin1String("--help")) || options.contains(QLatin1String("-h"));
    if (!arguments.isEmpty() && arguments[0] == QLatin1String("info") && !asks_help) return CliCommand::info;
    Parser p;
    p.parse(arguments); // a render's mistakes are told by parse_cli_options
    if (p.parser.isSet(p.help)) return CliCommand::help;
    if (p.parser.isSet(p.version)) return CliCommand::version;
    return CliCommand::render;
}

std::optional<QString> info_input(const QStringList& arguments)
{
    if (arguments.isEmpty() || arguments[0] != QLatin1String("info")) return std::nullopt;
    if (arguments.size() == 2 && arguments[1] != QLatin1String("--")) return arguments[1];
    if (arguments.size() == 3 && arguments[1] == QLatin1String("--")) return arguments[2];
    return std::nullopt;
}

CliOptions parse_cli_options(const QStringList& arguments, QString& error)
{
    CliOptions options;
    Parser p;
    const QCommandLineParser& parser = p.parser;
    const QString usage = cli_render_usage();
    if (!p.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            error = QStringLiteral("unknown option %1; %2").arg(dashed(unknown.first()), usage);
            return options;
        }
        // The one other mistake Qt's parser finds: an option's value missing at the end.
        static const QRegularExpression missing(QStringLiteral("^Missing value after '(.+)'\\.$"));
        const QRegularExpressionMatch match = missing.match(parser.errorText());
        error = match.hasMatch() ? QStringLiteral("%1 needs a value").arg(match.captured(1)) : parser.errorText();
        return options;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty() || positional[0] != QLatin1String("render") || positional.size() < 2) {
        error = usage;
        return options;
    }
    options.inputs = positional.mid(1);
    options.input = options.inputs.first();
    options.output = parser.value(p.output);
    options.depth_map = parser.value(p.depth_map);
    options.cross_eyed = parser.isSet(p.cross_eyed);
    options.guides = parser.isSet(p.guides);

    if (parser.isSet(p.seed)) {
        const auto n = whole_number(parser.value(p.seed), 0, ~0ull);
        if (!n) error = QStringLiteral("--seed takes a whole number, not \"%1\"").arg(parser.value(p.seed));
        else options.seed = *n;
    }
    if (error.isEmpty() && parser.isSet(p.dpi)) {
        const auto n = whole_number(parser.value(p.dpi), 1, 100000);
        if (!n) error = QStringLiteral("--dpi takes a whole number, not \"%1\"").arg(parser.value(p.dpi));
        else options.dpi = int(*n);
    }
    // Each pattern's value is checked in the table's order, before the other options.
    for (const PatternRow& row : pattern_rows()) {
        const QString name = latin(row.cli.name);
        if (error.isEmpty() && row.cli.name && parser.isSet(name)) error = row.cli.check(parser.value(name));
    }
    if (error.isEmpty() && parser.isSet(p.oversample)) {
        const auto n = whole_number(parser.value(p.oversample), 1, 8);
        if (!n) error = QStringLiteral("--oversample takes a whole number from 1 to 8");
        else options.oversample = int(*n);
    }
    const PatternRow* chosen = nullptr;
    for (const PatternRow* row : spelled_patterns()) {
        const QString name = latin(row->cli.name);
        if (!error.isEmpty() || !parser.isSet(name)) continue;
        if (chosen) {
            error = QStringLiteral("%1 and %2 choose two different pictures; give one of them")
                        .arg(dashed(latin(chosen->cli.name)), dashed(name));
            break;
        }
        chosen = row;
        options.pattern = row->kind;
        options.pattern_value = parser.value(name);
    }
    for (const PatternRow* row : spelled_patterns()) {
        if (!error.isEmpty() || !row->cli.switch_name) continue;
        const bool given = parser.isSet(latin(row->cli.switch_name));
        if (given && row != chosen)
            error = QStringLiteral("%1 goes with %2")
                        .arg(dashed(latin(row->cli.switch_name)), dashed(latin(row->cli.name)));
        else if (given) options.pattern_switch = true;
    }
    if (error.isEmpty()) options.model = model_view(p, error);
    const bool all_models = std::all_of(options.inputs.begin(), options.inputs.end(),
                                        [](const QString& input) { return is_model_file_name(input); });
    if (error.isEmpty() && !all_models) {
        for (const QCommandLineOption* option : p.model_view_options()) {
            if (!parser.isSet(*option)) continue;
            error = QStringLiteral("--%1 goes with a 3D model as INPUT").arg(option->names().first());
            break;
        }
    }
    if (error.isEmpty()) animation_options(p, options, error);
    if (error.isEmpty() && options.output.isEmpty())
        options.output = default_output(options.input, options.inputs.size() > 1 || options.turntable
                                                           ? QStringLiteral(".gif")
                                                           : QStringLiteral(".png"));
    return options;
}

QString cli_help()
{
    Parser p;
    const QString options = p.parser.helpText();
    // Qt's own usage line does not know the two commands.
    const qsizetype from = options.indexOf(QLatin1String("Options:"));
    return QStringLiteral("%1\n%2\n       dioramix-cli --help | --version\n\n%3")
        .arg(QString::fromLatin1(cli_info_usage), cli_render_usage(),
             from < 0 ? options : options.mid(from));
}

QString default_output(const QString& input, const QString& suffix)
{
    return QString::fromLocal8Bit(render_name(QFileInfo(input).fileName(), 1)) + suffix;
}

QString cli_render_usage()
{
    QStringList patterns;
    for (const PatternRow* row : spelled_patterns()) {
        const PatternOption& o = row->cli;
        QString spelling = QStringLiteral("--%1 %2").arg(latin(o.name), latin(o.value_name));
        if (o.switch_name) spelling += QStringLiteral(" [--%1]").arg(latin(o.switch_name));
        patterns << spelling;
    }
    return QStringLiteral("usage: dioramix-cli render INPUT... [-o OUTPUT] [--depth-map DEPTH.png] [--seed N] "
                          "[--dpi N] [%1] [--oversample K] [--cross-eyed] [--guides] [--layout LAYOUT] [--size WxH] "
                          "[--yaw DEG] [--pitch DEG] [--roll DEG] [--relief MM] [--turntable N] [--frame-ms N]")
        .arg(patterns.join(QStringLiteral(" | ")));
}

#include "cli/cli_options.h"
#include "render/render_name.h"
#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
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
                              QStringLiteral("The stereogram's file, .png or .bmp (default: the render name of "
                                             "INPUT with .png, in the current folder)."),
                              QStringLiteral("OUTPUT")};
    QCommandLineOption depth_map{QStringLiteral("depth-map"),
                                 QStringLiteral("Writes the depth map too, as a greyscale PNG (near is white)."),
                                 QStringLiteral("DEPTH.png")};
    QCommandLineOption seed{QStringLiteral("seed"), QStringLiteral("The seed of the random dots (default 1)."),
                            QStringLiteral("N")};
    QCommandLineOption dpi{QStringLiteral("dpi"),
                           QStringLiteral("The resolution a depth-map image is read at (default 96)."),
                           QStringLiteral("N")};
    QCommandLineOption oversample{QStringLiteral("oversample"),
                                  QStringLiteral("Depth in steps of 1/K pixel, 1 to 8 (default 1)."),
                                  QStringLiteral("K")};
    QCommandLineOption cross_eyed{QStringLiteral("cross-eyed"),
                                  QStringLiteral("Makes the picture for cross-eyed viewing.")};
    QCommandLineOption guides{QStringLiteral("guides"),
                              QStringLiteral("Adds a strip with the two guide dots above the picture.")};

    Parser()
    {
        parser.addOptions({help, version, output, depth_map, seed, dpi});
        for (const PatternRow* row : spelled_patterns()) {
            const PatternOption& o = row->cli;
            parser.addOption(QCommandLineOption(latin(o.name), latin(o.help), latin(o.value_name)));
            if (o.switch_name) parser.addOption(QCommandLineOption(latin(o.switch_name), latin(o.switch_help)));
        }
        parser.addOptions({oversample, cross_eyed, guides});
    }

    // The parser reads the program's name first.
    bool parse(const QStringList& arguments)
    {
        return parser.parse(QStringList{QStringLiteral("dioramix-cli")} + arguments);
    }
};

// A whole number from `low` to `high`, or nothing.
std::optional<qulonglong> whole_number(const QString& text, qulonglong low, qulonglong high)
{
    bool ok = false;
    const qulonglong n = text.toULongLong(&ok);
    if (!ok || n < low || n > high) return std::nullopt;
    return n;
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
    if (positional.size() > 2) {
        error = QStringLiteral("more than one input; %1").arg(usage);
        return options;
    }
    options.input = positional[1];
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
    if (error.isEmpty() && options.output.isEmpty()) options.output = default_output(options.input);
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

QString default_output(const QString& input)
{
    return QString::fromLocal8Bit(render_name(QFileInfo(input).fileName(), 1)) + QStringLiteral(".png");
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
    return QStringLiteral("usage: dioramix-cli render INPUT [-o OUTPUT] [--depth-map DEPTH.png] [--seed N] [--dpi N] "
                          "[%1] [--oversample K] [--cross-eyed] [--guides]")
        .arg(patterns.join(QStringLiteral(" | ")));
}

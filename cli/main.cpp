// dioramix-cli: describes drawings, and renders drawings and depth-map
// images headless.
#include "cli/cli_configuration.h"
#include "cli/cli_info.h"
#include "cli/cli_options.h"
#include "cli/cli_render.h"
#include "platform/registry.h"
#include <QCoreApplication>
#include <cstdio>

namespace {

void say(const QString& line)
{
    std::fprintf(stderr, "dioramix-cli: %s\n", qPrintable(line));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The settings belong to the program: the tool reads them and leaves
    // the store, damaged or not, as it finds it.
    set_registry_read_only(true);
    const QStringList arguments = app.arguments().mid(1);
    switch (cli_command(arguments)) {
    case CliCommand::help: std::printf("%s", qPrintable(cli_help())); return 0;
    case CliCommand::version: std::printf("dioramix-cli %s\n", DIORAMIX_VERSION); return 0;
    case CliCommand::info: {
        const std::optional<QString> input = info_input(arguments);
        if (!input) {
            say(QString::fromLatin1(cli_info_usage));
            return 1;
        }
        const InfoOutcome info = describe_drawing_file(*input);
        if (!info.error.isEmpty()) {
            say(info.error);
            return 1;
        }
        std::fwrite(info.json.constData(), 1, static_cast<size_t>(info.json.size()), stdout);
        return 0;
    }
    case CliCommand::render: break;
    }
    QString error;
    const CliOptions options = parse_cli_options(arguments, error);
    if (!error.isEmpty()) {
        say(error);
        return 1;
    }
    QStringList problems;
    const ConfigurationRecord configuration = read_render_configuration(problems);
    for (const QString& problem : problems) say(problem);
    const CliOutcome outcome = run_render(options, configuration);
    for (const QString& warning : outcome.warnings) say(warning);
    if (!outcome.error.isEmpty()) {
        say(outcome.error);
        return 1;
    }
    return 0;
}

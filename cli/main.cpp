// dioramix-cli: renders drawings and depth-map images headless.
#include "cli/cli_configuration.h"
#include "cli/cli_options.h"
#include "cli/cli_render.h"
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
    QString error;
    const CliOptions options = parse_cli_options(app.arguments().mid(1), error);
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

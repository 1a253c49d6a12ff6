#include "cli/cli_options.h"
#include "render/render_name.h"
#include <QFileInfo>

CliOptions parse_cli_options(const QStringList& arguments, QString& error)
{
    CliOptions options;
    if (arguments.isEmpty() || arguments[0] != QLatin1String("render")) {
        error = QString::fromLatin1(cli_usage);
        return options;
    }
    auto value_after = [&](qsizetype& i) -> QString {
        if (i + 1 >= arguments.size()) {
            error = QStringLiteral("%1 needs a value").arg(arguments[i]);
            return QString();
        }
        return arguments[++i];
    };
    for (qsizetype i = 1; i < arguments.size() && error.isEmpty(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("-o") || a == QLatin1String("--output")) {
            options.output = value_after(i);
        } else if (a == QLatin1String("--depth-map")) {
            options.depth_map = value_after(i);
        } else if (a == QLatin1String("--seed") || a == QLatin1String("--dpi")) {
            const QString text = value_after(i);
            bool ok = false;
            const qulonglong n = text.toULongLong(&ok);
            if (error.isEmpty() && (!ok || (a == QLatin1String("--dpi") && (n == 0 || n > 100000))))
                error = QStringLiteral("%1 takes a whole number, not \"%2\"").arg(a, text);
            else if (a == QLatin1String("--seed"))
                options.seed = n;
            else
                options.dpi = static_cast<int>(n);
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            error = QStringLiteral("unknown option %1; %2").arg(a, QString::fromLatin1(cli_usage));
        } else if (options.input.isEmpty()) {
            options.input = a;
        } else {
            error = QStringLiteral("more than one input; %1").arg(QString::fromLatin1(cli_usage));
        }
    }
    if (error.isEmpty() && options.input.isEmpty()) error = QString::fromLatin1(cli_usage);
    if (error.isEmpty() && options.output.isEmpty()) options.output = default_output(options.input);
    return options;
}

QString default_output(const QString& input)
{
    return QString::fromLocal8Bit(render_name(QFileInfo(input).fileName(), 1)) + QStringLiteral(".png");
}

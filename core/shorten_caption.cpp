#include "core/shorten_caption.h"
#include <algorithm>

namespace {

// Windows paths use "\" and drive letters end with ":"; other systems "/".
bool is_separator(QChar c)
{
    return c == QLatin1Char('\\') || c == QLatin1Char('/') || c == QLatin1Char(':');
}

} // namespace

QString shorten_caption(const QString& path, int width, int number)
{
    const QString num = QString::number(number);
    const int room = width - static_cast<int>(num.size()) - 1;
    const QString prefix = QLatin1Char('&') + num + QLatin1Char(' ');
    if (path.size() <= room) return prefix + path;

    qsizetype cut = path.size();
    while (cut > 0 && !is_separator(path[cut - 1])) --cut;
    const QString name = path.mid(cut);
    const QChar separator = path.contains(QLatin1Char('/')) ? QLatin1Char('/') : QLatin1Char('\\');

    if (room > name.size() + 3) {
        QString head = path.left(room - name.size() - 4);
        qsizetype end = head.size();
        while (end > 0 && head[end - 1] != QLatin1Char('\\') && head[end - 1] != QLatin1Char('/')) --end;
        head.truncate(end);
        return prefix + head + QStringLiteral("...") + separator + name;
    }
    return prefix + QStringLiteral("...") + name.right(std::max(0, room - 3));
}

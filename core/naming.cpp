#include "core/naming.h"
#include "platform/errors.h"
#include <QCoreApplication>
#include <algorithm>

namespace {
bool is_ascii_letter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}
} // namespace

bool is_valid_identifier(const QString& name)
{
    if (name.isEmpty()) return false;
    if (!is_ascii_letter(name[0]) && name[0] != QLatin1Char('_')) return false;
    return std::all_of(name.begin(), name.end(), [](QChar c) {
        return is_ascii_letter(c) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_');
    });
}

qint64 decimal_or_zero(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

QString next_shape_name(const QStringList& existing_names)
{
    // Starts at 0 so that the first object is shape1 whatever odd names exist.
    qint64 largest = 0;
    for (QString name : existing_names) {
        name.remove(QStringLiteral("shape"));
        largest = std::max(largest, decimal_or_zero(name));
    }
    return QStringLiteral("shape") + QString::number(largest + 1);
}

void check_object_name(const QString& name, const QStringList& other_names)
{
    if (!is_valid_identifier(name))
        throw NameError(QCoreApplication::translate("Naming", "''%1'' is not a valid component name").arg(name));
    if (other_names.contains(name))
        throw NameError(QCoreApplication::translate("Naming", "A component named %1 already exists").arg(name));
}

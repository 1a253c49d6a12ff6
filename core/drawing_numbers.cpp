#include "core/drawing_numbers.h"
#include "core/naming.h"
#include <array>

std::optional<int> lowest_free_drawing_number(const QStringList& drawing_names)
{
    const QString prefix = QStringLiteral("Stereogram");
    std::array<bool, 256> used{};
    for (QString name : drawing_names) {
        if (!name.startsWith(prefix)) continue;
        name.remove(prefix);
        const qint64 n = decimal_or_zero(name);
        if (n >= 1 && n <= 255) used[static_cast<size_t>(n)] = true;
    }
    for (int n = 1; n <= 255; ++n)
        if (!used[static_cast<size_t>(n)]) return n;
    return std::nullopt;
}

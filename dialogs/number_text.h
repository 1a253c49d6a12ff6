#pragma once
// Whole numbers typed into the dialogs' edit boxes.
#include <QString>
#include <optional>

// The integer a box holds, or nothing when its text is not one (an empty
// box included). Surrounding blanks are allowed.
inline std::optional<int> integer_value(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// The integer a box holds; text that is not one counts as 0.
inline int integer_or_zero(const QString& text)
{
    return integer_value(text).value_or(0);
}

#pragma once
// Numbers of drawings never saved: "Stereogram" followed by 1 to 255.
#include <QStringList>
#include <optional>

// The lowest number from 1 to 255 that no entry of `drawing_names` uses,
// or none when all are used.
std::optional<int> lowest_free_drawing_number(const QStringList& drawing_names);

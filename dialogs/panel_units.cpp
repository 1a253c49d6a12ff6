#include "dialogs/panel_units.h"
#include <QCoreApplication>
#include <cmath>
#include <limits>

std::int32_t whole_part(double value)
{
    if (std::isnan(value)) return 0;
    constexpr double low = std::numeric_limits<std::int32_t>::min();
    constexpr double high = std::numeric_limits<std::int32_t>::max();
    if (value <= low) return std::numeric_limits<std::int32_t>::min();
    if (value >= high) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

Resolution screen_resolution(int screen_width_px, int screen_height_px, int monitor_width_mm,
                             int monitor_height_mm, int logical_dpi_x, int logical_dpi_y)
{
    Resolution r;
    r.x = monitor_width_mm > 0 ? double(screen_width_px) / monitor_width_mm * 25.4 : double(logical_dpi_x);
    r.y = monitor_height_mm > 0 ? double(screen_height_px) / monitor_height_mm * 25.4 : double(logical_dpi_y);
    return r;
}

QString resolution_text(Resolution resolution, bool per_mm)
{
    if (per_mm)
        return QCoreApplication::translate("PanelDimensionsDialog", "%1x%2 dpmm")
            .arg(QString::asprintf("%.2f", resolution.x / 25.4), QString::asprintf("%.2f", resolution.y / 25.4));
    return QCoreApplication::translate("PanelDimensionsDialog", "%1x%2 dpi")
        .arg(whole_part(resolution.x))
        .arg(whole_part(resolution.y));
}

double unit_factor(double dpi, bool millimetres)
{
    return millimetres ? dpi / 25.4 : 1.0;
}

std::int32_t shown_dimension(std::int32_t pixels, double factor)
{
    if (factor == 0) return 0;
    return whole_part(pixels / factor);
}

std::optional<std::int32_t> read_dimension(QString text, const QString& unit_word)
{
    if (!unit_word.isEmpty()) text.remove(unit_word, Qt::CaseSensitive);
    bool ok = false;
    const int n = text.trimmed().toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return n;
}

std::int32_t working_dimension(std::int32_t shown, double factor)
{
    return whole_part(shown * factor + 0.5);
}

PanelDimensionsRecord panel_dimensions_for(std::int32_t width_px, std::int32_t height_px, Resolution resolution)
{
    PanelDimensionsRecord d;
    d.width_px = width_px;
    d.height_px = height_px;
    d.width_mm = resolution.x == 0 ? 0 : whole_part(width_px / resolution.x * 25.4);
    d.height_mm = resolution.y == 0 ? 0 : whole_part(height_px / resolution.y * 25.4);
    return d;
}

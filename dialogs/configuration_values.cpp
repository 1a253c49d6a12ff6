#include "dialogs/configuration_values.h"
#include "dialogs/panel_units.h"
#include "platform/errors.h"
#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

MonitorSize standard_monitor_size(int type)
{
    // Visible diagonal d in inches per type: width 0.8 d and height 0.6 d,
    // in millimetres and truncated.
    static constexpr std::array<MonitorSize, 5> sizes{{{254, 190}, {270, 203}, {304, 228}, {338, 254}, {372, 279}}};
    if (type < 0 || type >= int(sizes.size())) return {};
    return sizes[type];
}

std::optional<double> largest_focus_angle(std::int32_t eye_distance, std::int32_t level_distance)
{
    if (level_distance == 0) return std::nullopt;
    return std::atan(double(eye_distance) / 2.0 / double(level_distance)) * 180.0 / std::numbers::pi;
}

bool focus_angle_allowed(double angle, std::optional<double> largest)
{
    return largest && angle > 0 && angle < *largest;
}

QString shortest_decimal(double value)
{
    return QString::number(value, 'g', 15);
}

double text_to_real(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw DioramixError(
            QCoreApplication::translate("ConfigurationDialog", "'%1' is not a valid floating point value").arg(text));
    return value;
}

std::int32_t integer_box_value(const QString& text, std::int32_t current)
{
    if (text.isEmpty()) return 0;
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : current;
}

QString height_array_estimate(std::int32_t max_height, std::int32_t min_height)
{
    return QCoreApplication::translate("ConfigurationDialog", "%1Kbytes")
        .arg(shortest_decimal(2.0 * (double(max_height) - double(min_height)) / 1000.0));
}

QString page_length_text(std::int32_t pixels, std::int32_t dpi, bool millimetres)
{
    if (!millimetres) return QCoreApplication::translate("ConfigurationDialog", "%1 pixels").arg(pixels);
    const std::int32_t mm = dpi > 0 ? whole_part(double(pixels) / dpi * 25.4) : 0;
    return QCoreApplication::translate("ConfigurationDialog", "%1 mm").arg(mm);
}

std::optional<PagePreview> page_preview(const QRect& back, std::int32_t physical_width,
                                        std::int32_t physical_height, std::int32_t printable_width,
                                        std::int32_t printable_height)
{
    const std::int32_t larger = std::max(physical_width, physical_height);
    if (larger <= 0) return std::nullopt;
    const double b = back.width();
    const double s = b / larger;
    auto centred = [&](std::int32_t w, std::int32_t h) {
        return QRect(back.left() + whole_part((b - w * s) / 2), back.top() + whole_part((b - h * s) / 2),
                     whole_part(w * s), whole_part(h * s));
    };
    return PagePreview{centred(physical_width, physical_height), centred(printable_width, printable_height)};
}

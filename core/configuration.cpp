#include "core/configuration.h"
#include "core/settings_table.h"
#include "platform/registry.h"
#include "platform/screen.h"
#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <numbers>

ConfigurationRecord::ConfigurationRecord()
{
    for (const SettingRow& row : configuration_settings)
        if (!std::holds_alternative<std::monostate>(row.field))
            assign_setting(*this, row, default_value(row, *this, ScreenMetrics{}));
}

ConfigurationRecord Configuration;

namespace {

// Truncates toward zero into the 32-bit range; nothing meaningful gives 0.
std::int32_t truncate_to_int32(double x)
{
    if (std::isnan(x)) return 0;
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::trunc(std::clamp(x, lo, hi)));
}

} // namespace

ConfigurationBlock configuration_block(const ConfigurationRecord& c)
{
    ConfigurationBlock block{};
    const auto put = [&](int offset, std::uint64_t value, int width) {
        for (int i = 0; i < width; ++i) block[std::size_t(offset + i)] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    for (const SettingRow& row : configuration_settings) {
        if (row.block_offset == no_block) continue;
        std::visit(
            [&](auto field) {
                using F = decltype(field);
                if constexpr (std::is_same_v<F, std::int32_t ConfigurationRecord::*>)
                    put(row.block_offset, static_cast<std::uint32_t>(c.*field), 4);
                else if constexpr (std::is_same_v<F, std::uint8_t ConfigurationRecord::*>)
                    put(row.block_offset, c.*field ? 1 : 0, 1);
                else if constexpr (std::is_same_v<F, double ConfigurationRecord::*>)
                    put(row.block_offset, std::bit_cast<std::uint64_t>(c.*field), 8);
            },
            row.field);
    }
    return block;
}

ConfigurationRecord configuration_from_block(std::span<const std::uint8_t, configuration_block_size> block)
{
    ConfigurationRecord c;
    const auto get = [&](int offset, int width) {
        std::uint64_t value = 0;
        for (int i = width; i-- > 0;) value = (value << 8) | block[std::size_t(offset + i)];
        return value;
    };
    for (const SettingRow& row : configuration_settings) {
        if (row.block_offset == no_block) continue;
        std::visit(
            [&](auto field) {
                using F = decltype(field);
                if constexpr (std::is_same_v<F, std::int32_t ConfigurationRecord::*>)
                    c.*field = static_cast<std::int32_t>(static_cast<std::uint32_t>(get(row.block_offset, 4)));
                else if constexpr (std::is_same_v<F, std::uint8_t ConfigurationRecord::*>)
                    c.*field = get(row.block_offset, 1) ? 1 : 0;
                else if constexpr (std::is_same_v<F, double ConfigurationRecord::*>)
                    c.*field = std::bit_cast<double>(get(row.block_offset, 8));
            },
            row.field);
    }
    return c;
}

std::int32_t screen_millimetres(int pixels, int dpi)
{
    if (dpi <= 0) return 0;
    return truncate_to_int32(static_cast<double>(pixels) / dpi * 25.4);
}

double tangent_of_degrees(double degrees)
{
    return std::tan(degrees * std::numbers::pi / 180.0);
}

HeightLimits height_limits(std::int32_t eye_distance, std::int32_t level_distance, double tangent)
{
    const std::int64_t e = eye_distance;
    const std::int64_t l = level_distance;
    // 4 L^2 + E^2: each square fits in 64 bits, the sum (up to 2^64 + 2^62)
    // needs the 64-bit mantissa of long double, where it is exact below 2^64.
    const long double sum = 4.0L * static_cast<long double>(l * l) + static_cast<long double>(e * e);
    const double d = static_cast<double>(sum);
    const double t = tangent;
    const double lt4 = 4.0 * static_cast<double>(l) * t;
    const double e2 = 2.0 * static_cast<double>(e);
    HeightLimits limits;
    limits.max_height = truncate_to_int32(d * t / (lt4 + e2));
    limits.min_height = truncate_to_int32(-(d * t / (e2 - lt4)));
    return limits;
}

ConfigurationLoad load_configuration(const HistoryLoader& load_history)
{
    static constexpr const SettingRow* history_row = &setting_named("filehistory_list");
    static constexpr const SettingRow* window_row = &setting_named("show_condition");
    ConfigurationLoad result;
    ConfigurationRecord& c = Configuration;
    c = ConfigurationRecord{};
    const ScreenMetrics screen = screen_metrics();

    RegistryKey key(QString::fromLatin1(configuration_key_path), true);
    std::size_t next = 0;
    try {
        for (; next < configuration_settings.size(); ++next) {
            const SettingRow& row = configuration_settings[next];
            if (!(row.use & at_start)) continue;
            // A missing value's default follows the values loaded before it.
            const SettingValue value = load_setting(key, row, c, screen);
            assign_setting(c, row, value);
            if (&row == history_row) {
                result.filehistory_list = std::get<QString>(value);
                if (load_history) load_history(key);
            } else if (&row == window_row) {
                result.maximized = std::get<QString>(value) == QLatin1String("maximize");
            }
        }
    } catch (const DioramixError& e) {
        result.problems << e.text();
    }
    // After a failure the values not loaded keep their defaults, derived
    // from the screen and from the values in force.
    for (std::size_t i = next; i < configuration_settings.size(); ++i) {
        const SettingRow& row = configuration_settings[i];
        if ((row.use & at_start) && !std::holds_alternative<std::monostate>(row.field))
            assign_setting(c, row, default_value(row, c, screen));
    }
    result.problems = key.take_notices() + result.problems;
    return result;
}

QStringList save_show_condition(bool maximized)
{
    RegistryKey key(QString::fromLatin1(configuration_key_path), true);
    QStringList problems;
    try {
        const QString state = maximized ? QStringLiteral("maximize") : QStringLiteral("normal");
        write_setting(key, setting_named("show_condition"), state);
    } catch (const RegistryError& e) {
        problems << e.text();
    }
    return key.take_notices() + problems;
}

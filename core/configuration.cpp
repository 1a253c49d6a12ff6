#include "core/configuration.h"
#include "platform/registry.h"
#include "platform/screen.h"
#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <numbers>

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

void put32(ConfigurationBlock& block, std::size_t offset, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i) block[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void put64(ConfigurationBlock& block, std::size_t offset, std::uint64_t value)
{
    for (std::size_t i = 0; i < 8; ++i) block[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint64_t get(std::span<const std::uint8_t, configuration_block_size> block, std::size_t offset, std::size_t size)
{
    std::uint64_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = (value << 8) | block[offset + i];
    return value;
}

std::int32_t get32(std::span<const std::uint8_t, configuration_block_size> block, std::size_t offset)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(get(block, offset, 4)));
}

} // namespace

ConfigurationBlock configuration_block(const ConfigurationRecord& c)
{
    ConfigurationBlock block{};
    const auto i32 = [&](std::size_t offset, std::int32_t v) { put32(block, offset, static_cast<std::uint32_t>(v)); };
    i32(0, c.eye_distance);
    i32(4, c.level_distance);
    block[8] = c.standardmonitor_flag ? 1 : 0;
    i32(12, c.monitor_type);
    i32(16, c.monitor_width);
    i32(20, c.monitor_height);
    block[24] = c.setfocuscone_flag ? 1 : 0;
    put64(block, 28, std::bit_cast<std::uint64_t>(c.focus_angle));
    i32(36, c.max_height);
    i32(40, c.min_height);
    block[44] = c.donotusearray_flag ? 1 : 0;
    i32(48, c.background_color);
    i32(52, c.object_color);
    i32(56, c.heightarray_limit);
    i32(60, c.filehistory);
    i32(64, c.undohistory);
    i32(68, c.rendercolor_range);
    i32(72, c.rendercolor_base);
    return block;
}

ConfigurationRecord configuration_from_block(std::span<const std::uint8_t, configuration_block_size> block)
{
    ConfigurationRecord c;
    c.eye_distance = get32(block, 0);
    c.level_distance = get32(block, 4);
    c.standardmonitor_flag = block[8] ? 1 : 0;
    c.monitor_type = get32(block, 12);
    c.monitor_width = get32(block, 16);
    c.monitor_height = get32(block, 20);
    c.setfocuscone_flag = block[24] ? 1 : 0;
    c.focus_angle = std::bit_cast<double>(get(block, 28, 8));
    c.max_height = get32(block, 36);
    c.min_height = get32(block, 40);
    c.donotusearray_flag = block[44] ? 1 : 0;
    c.background_color = get32(block, 48);
    c.object_color = get32(block, 52);
    c.heightarray_limit = get32(block, 56);
    c.filehistory = get32(block, 60);
    c.undohistory = get32(block, 64);
    c.rendercolor_range = get32(block, 68);
    c.rendercolor_base = get32(block, 72);
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

namespace {

// Loads one value after another in the order the store is read; each value
// that is missing gets the field's current content (its default) written first.
class Loader {
public:
    explicit Loader(RegistryKey& key) : key_(key) {}

    void dword(const char* name, std::int32_t& field)
    {
        const QString n = QString::fromLatin1(name);
        if (!key_.value_exists(n)) key_.write_dword(n, field);
        field = key_.read_dword(n);
    }

    void flag(const char* name, std::uint8_t& field)
    {
        const QString n = QString::fromLatin1(name);
        if (!key_.value_exists(n)) key_.write_flag(n, field != 0);
        field = key_.read_flag(n) ? 1 : 0;
    }

    void real(const char* name, double& field)
    {
        const QString n = QString::fromLatin1(name);
        if (!key_.value_exists(n)) key_.write_double(n, field);
        field = key_.read_double(n);
    }

    QString text(const char* name, const QString& fallback)
    {
        const QString n = QString::fromLatin1(name);
        if (!key_.value_exists(n)) key_.write_string(n, fallback);
        return key_.read_string(n);
    }

private:
    RegistryKey& key_;
};

} // namespace

ConfigurationLoad load_configuration(const HistoryLoader& load_history)
{
    ConfigurationLoad result;
    ConfigurationRecord& c = Configuration;
    c = ConfigurationRecord{};
    const ScreenMetrics screen = screen_metrics();
    c.monitor_width = screen_millimetres(screen.width_px, screen.dpi_x);
    c.monitor_height = screen_millimetres(screen.height_px, screen.dpi_y);
    const double t = tangent_of_degrees(startup_focus_angle);
    const auto derive_limits = [&] {
        const HeightLimits limits = height_limits(c.eye_distance, c.level_distance, t);
        c.max_height = limits.max_height;
        c.min_height = limits.min_height;
    };
    derive_limits();

    RegistryKey key(QString::fromLatin1(configuration_key_path), true);
    try {
        Loader load(key);
        load.dword("eye_distance", c.eye_distance);
        load.dword("level_distance", c.level_distance);
        derive_limits();
        load.flag("standardmonitor_flag", c.standardmonitor_flag);
        load.dword("monitor_type", c.monitor_type);
        load.dword("monitor_width", c.monitor_width);
        load.dword("monitor_height", c.monitor_height);
        load.flag("setfocuscone_flag", c.setfocuscone_flag);
        load.real("focus_angle", c.focus_angle);
        load.dword("max_height", c.max_height);
        load.dword("min_height", c.min_height);
        load.flag("donotusearray_flag", c.donotusearray_flag);
        load.dword("background_color", c.background_color);
        load.dword("object_color", c.object_color);
        load.dword("heightarray_limit", c.heightarray_limit);
        load.dword("filehistory", c.filehistory);
        result.filehistory_list = load.text("filehistory_list", QString());
        if (load_history) load_history(key);
        load.dword("rendercolor_range", c.rendercolor_range);
        load.dword("rendercolor_base", c.rendercolor_base);
        load.dword("undohistory", c.undohistory);
        result.maximized = load.text("show_condition", QStringLiteral("maximize")) == QLatin1String("maximize");
    } catch (const DioramixError& e) {
        result.problems << e.text();
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
        key.write_string(QStringLiteral("show_condition"), state);
    } catch (const RegistryError& e) {
        problems << e.text();
    }
    return key.take_notices() + problems;
}

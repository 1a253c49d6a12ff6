#include "core/settings_table.h"
#include "platform/registry.h"
#include "platform/screen.h"

namespace {

HeightLimits default_cone(const ConfigurationRecord& in_force)
{
    // The cone of the default angle, whatever angle is stored.
    const double angle = fixed_default(&ConfigurationRecord::focus_angle);
    return height_limits(in_force.eye_distance, in_force.level_distance, tangent_of_degrees(angle));
}

QString row_name(const SettingRow& row)
{
    return QString::fromLatin1(row.name);
}

template <typename T>
T member_value(const SettingValue& value);

template <>
std::int32_t member_value<std::int32_t>(const SettingValue& value)
{
    return std::get<std::int32_t>(value);
}

template <>
std::uint8_t member_value<std::uint8_t>(const SettingValue& value)
{
    return std::get<std::int32_t>(value) != 0 ? 1 : 0;
}

template <>
double member_value<double>(const SettingValue& value)
{
    return std::get<double>(value);
}

} // namespace

SettingValue default_value(const SettingRow& row, const ConfigurationRecord& in_force, const ScreenMetrics& screen)
{
    switch (row.rule) {
    case DefaultRule::fixed: break;
    case DefaultRule::screen_width: return screen_millimetres(screen.width_px, screen.dpi_x);
    case DefaultRule::screen_height: return screen_millimetres(screen.height_px, screen.dpi_y);
    case DefaultRule::cone_max_height: return default_cone(in_force).max_height;
    case DefaultRule::cone_min_height: return default_cone(in_force).min_height;
    }
    return std::visit(
        [](const auto& fixed) -> SettingValue {
            if constexpr (std::is_same_v<std::decay_t<decltype(fixed)>, const char*>)
                return QString::fromLatin1(fixed);
            else
                return fixed;
        },
        row.fixed);
}

SettingValue read_setting(RegistryKey& key, const SettingRow& row)
{
    const QString name = row_name(row);
    switch (row.kind) {
    case SettingKind::dword: return key.read_dword(name);
    case SettingKind::flag: return std::int32_t(key.read_flag(name) ? 1 : 0);
    case SettingKind::real: return key.read_double(name);
    case SettingKind::text: break;
    }
    return key.read_string(name);
}

void write_setting(RegistryKey& key, const SettingRow& row, const SettingValue& value)
{
    const QString name = row_name(row);
    switch (row.kind) {
    case SettingKind::dword: key.write_dword(name, std::get<std::int32_t>(value)); return;
    case SettingKind::flag: key.write_flag(name, std::get<std::int32_t>(value) != 0); return;
    case SettingKind::real: key.write_double(name, std::get<double>(value)); return;
    case SettingKind::text: key.write_string(name, std::get<QString>(value)); return;
    }
}

std::optional<SettingValue> stored_setting(RegistryKey& key, const SettingRow& row)
{
    try {
        if (key.value_exists(row_name(row))) return read_setting(key, row);
    } catch (const RegistryError&) {
    }
    return std::nullopt;
}

SettingValue load_setting(RegistryKey& key, const SettingRow& row, const ConfigurationRecord& in_force,
                          const ScreenMetrics& screen)
{
    if (!key.value_exists(row_name(row))) write_setting(key, row, default_value(row, in_force, screen));
    return read_setting(key, row);
}

void assign_setting(ConfigurationRecord& record, const SettingRow& row, const SettingValue& value)
{
    std::visit(
        [&](auto field) {
            if constexpr (!std::is_same_v<decltype(field), std::monostate>) {
                using T = std::remove_reference_t<decltype(record.*field)>;
                record.*field = member_value<T>(value);
            }
        },
        row.field);
}

void store_setting(RegistryKey& key, ConfigurationRecord& record, std::int32_t ConfigurationRecord::* field,
                   std::int32_t value)
{
    record.*field = value;
    write_setting(key, setting_of(field), value);
}

void store_setting(RegistryKey& key, ConfigurationRecord& record, std::uint8_t ConfigurationRecord::* field, bool value)
{
    record.*field = value ? 1 : 0;
    write_setting(key, setting_of(field), std::int32_t(value ? 1 : 0));
}

void store_setting(RegistryKey& key, ConfigurationRecord& record, double ConfigurationRecord::* field, double value)
{
    record.*field = value;
    write_setting(key, setting_of(field), value);
}

#include "cli/cli_configuration.h"
#include "platform/registry.h"

namespace {

template <typename Read, typename Field>
void read_value(RegistryKey& key, const char* name, Field& field, QStringList& problems, Read read)
{
    const QString n = QString::fromLatin1(name);
    try {
        if (key.value_exists(n)) field = read(n);
    } catch (const DioramixError& e) {
        problems << QStringLiteral("the setting %1 is kept at its default: %2").arg(n, e.text());
    }
}

} // namespace

ConfigurationRecord read_render_configuration(QStringList& problems)
{
    ConfigurationRecord c;
    RegistryKey key(QString::fromLatin1(configuration_key_path), false);
    const auto dword = [&](const char* name, std::int32_t& field) {
        read_value(key, name, field, problems, [&](const QString& n) { return key.read_dword(n); });
    };
    dword("eye_distance", c.eye_distance);
    dword("level_distance", c.level_distance);
    const HeightLimits limits = height_limits(c.eye_distance, c.level_distance, tangent_of_degrees(startup_focus_angle));
    c.max_height = limits.max_height;
    c.min_height = limits.min_height;
    dword("max_height", c.max_height);
    dword("min_height", c.min_height);
    read_value(key, "donotusearray_flag", c.donotusearray_flag, problems,
               [&](const QString& n) { return std::uint8_t(key.read_flag(n) ? 1 : 0); });
    dword("background_color", c.background_color);
    dword("object_color", c.object_color);
    dword("heightarray_limit", c.heightarray_limit);
    dword("rendercolor_range", c.rendercolor_range);
    dword("rendercolor_base", c.rendercolor_base);
    problems += key.take_notices();
    return c;
}

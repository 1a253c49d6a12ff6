#include "cli/cli_configuration.h"
#include "core/settings_table.h"
#include "platform/registry.h"
#include "platform/screen.h"

ConfigurationRecord read_render_configuration(QStringList& problems)
{
    ConfigurationRecord c;
    RegistryKey key(QString::fromLatin1(configuration_key_path), false);
    for (const SettingRow& row : configuration_settings) {
        if (!(row.use & for_render) || std::holds_alternative<std::monostate>(row.field)) continue;
        const QString name = QString::fromLatin1(row.name);
        try {
            if (key.value_exists(name)) {
                assign_setting(c, row, read_setting(key, row));
                continue;
            }
        } catch (const DioramixError& e) {
            problems << QStringLiteral("the setting %1 is kept at its default: %2").arg(name, e.text());
        }
        // A missing or unreadable value keeps its default; none that a render reads depends on the screen.
        assign_setting(c, row, default_value(row, c, ScreenMetrics{}));
    }
    problems += key.take_notices();
    return c;
}

#include "veride/picture_settings.h"
#include "core/object_size.h"
#include "core/settings_table.h"
#include "platform/registry.h"
#include "platform/regular_file.h"
#include <QDateTime>
#include <QFileInfo>
#include <mutex>
#include <QCoreApplication>

namespace {

const SettingRow& pattern_setting = setting_named("render_pattern");
const SettingRow& colors_row = setting_named("render_colors");
const SettingRow& image_row = setting_named("render_pattern_image");
const SettingRow& own_size_row = setting_named("render_keep_tile_size");
const SettingRow& oversample_row = setting_named("render_oversample");
const SettingRow& cross_eyed_row = setting_named("render_cross_eyed");
const SettingRow& guides_row = setting_named("render_guides");

std::int32_t number_or_default(RegistryKey& key, const SettingRow& row, std::int32_t low, std::int32_t high)
{
    const auto value = stored_setting(key, row);
    const std::int32_t fixed = std::get<std::int32_t>(row.fixed);
    if (!value || !std::holds_alternative<std::int32_t>(*value)) return fixed;
    const std::int32_t n = std::get<std::int32_t>(*value);
    return n >= low && n <= high ? n : fixed;
}

// A value no pattern is stored as gives the default one.
PatternKind stored_pattern(RegistryKey& key)
{
    const auto value = stored_setting(key, pattern_setting);
    const PatternRow* row = value && std::holds_alternative<std::int32_t>(*value)
        ? pattern_stored_as(std::get<std::int32_t>(*value))
        : nullptr;
    return row ? row->kind : PictureOptions().pattern;
}

QString text_or_default(RegistryKey& key, const SettingRow& row)
{
    const auto value = stored_setting(key, row);
    return value && std::holds_alternative<QString>(*value) ? std::get<QString>(*value) : QString();
}

} // namespace

QString StoredPicture::tile_name() const
{
    return QFileInfo(tile_path).fileName();
}

QImage read_tile(const QString& path, QString& problem)
{
    // The last tile read is kept while its file stays the same: the live
    // preview reads the options for every picture it makes.
    struct Read {
        QString path;
        QDateTime modified;
        qint64 size = -1;
        QImage tile;
    };
    static std::mutex lock;
    static Read last;
    const QFileInfo file(path);
    const std::lock_guard<std::mutex> hold(lock);
    if (!last.tile.isNull() && last.path == path && last.modified == file.lastModified() && last.size == file.size())
        return last.tile;
    QString why;
    QImage tile = platform::read_image_file(path, max_object_pixels, why);
    if (tile.isNull()) problem = QCoreApplication::translate("Renderer", "The pattern image %1 cannot be read: %2").arg(path, why);
    last = {path, file.lastModified(), file.size(), tile};
    return tile;
}

StoredPicture read_picture_settings(QString* problem)
{
    StoredPicture picture;
    PictureOptions& o = picture.options;
    RegistryKey key(QString::fromLatin1(configuration_key_path), false);
    o.pattern = stored_pattern(key);
    o.colors = number_or_default(key, colors_row, PictureOptions::fewest_colors, PictureOptions::most_colors);
    o.tile_own_size = number_or_default(key, own_size_row, 0, 1) != 0;
    o.oversample = number_or_default(key, oversample_row, 1, PictureOptions::most_oversampling);
    o.cross_eyed = number_or_default(key, cross_eyed_row, 0, 1) != 0;
    o.guides = number_or_default(key, guides_row, 0, 1) != 0;
    // Only a pattern made from a tile reads its file; the path is kept all the same.
    const QString path = text_or_default(key, image_row);
    if (pattern_row(o.pattern).uses_tile) {
        QString why;
        o.tile = path.isEmpty() ? QImage() : read_tile(path, why);
        if (o.tile.isNull()) {
            o.pattern = PictureOptions().pattern;
            if (problem && !path.isEmpty()) *problem = why + QCoreApplication::translate("Renderer", "; the picture is made of random dots.");
        }
    }
    picture.tile_path = path;
    return picture;
}

QString store_picture_settings(const StoredPicture& before, const StoredPicture& now)
{
    const PictureOptions &a = before.options, &b = now.options;
    RegistryKey key(QString::fromLatin1(configuration_key_path), true);
    // The store's errors name the value.
    try {
        const auto put = [&](const SettingRow& row, bool changed, const SettingValue& value) {
            if (changed) write_setting(key, row, value);
        };
        put(pattern_setting, a.pattern != b.pattern, pattern_row(b.pattern).stored);
        put(colors_row, a.colors != b.colors, std::int32_t(b.colors));
        put(image_row, before.tile_path != now.tile_path, now.tile_path);
        put(own_size_row, a.tile_own_size != b.tile_own_size, std::int32_t(b.tile_own_size));
        put(oversample_row, a.oversample != b.oversample, std::int32_t(b.oversample));
        put(cross_eyed_row, a.cross_eyed != b.cross_eyed, std::int32_t(b.cross_eyed));
        put(guides_row, a.guides != b.guides, std::int32_t(b.guides));
    } catch (const DioramixError& e) {
        return e.text();
    }
    return QString();
}

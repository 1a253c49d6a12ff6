#include "veride/pattern_table.h"
#include "core/object_size.h"
#include "platform/regular_file.h"
#include "veride/depth_map.h"
#include "veride/dot_colors.h"
#include "veride/picture_options.h"
#include "veride/render_settings.h"
#include "veride/separations.h"
#include <QCoreApplication>
#include <algorithm>
#include <vector>

namespace {

// ---- Dots ------------------------------------------------------------------

Pattern make_dots(const PatternSource& s)
{
    return Pattern::dots(s.seed, dot_colors(s.settings.rendercolor_base, s.settings.rendercolor_range), s.samples);
}

// ---- Colour dots -----------------------------------------------------------

Pattern make_color_dots(const PatternSource& s)
{
    return Pattern::color_dots(
        s.seed, std::clamp(s.options.colors, PictureOptions::fewest_colors, PictureOptions::most_colors), s.samples);
}

std::optional<int> color_count(const QString& value)
{
    bool ok = false;
    const qulonglong n = value.toULongLong(&ok);
    if (!ok || n < qulonglong(PictureOptions::fewest_colors) || n > qulonglong(PictureOptions::most_colors))
        return std::nullopt;
    return int(n);
}

QString check_color_count(const QString& value)
{
    if (color_count(value)) return QString();
    return QStringLiteral("--colors takes a whole number from %1 to %2")
        .arg(PictureOptions::fewest_colors)
        .arg(PictureOptions::most_colors);
}

QString apply_color_count(const QString& value, bool, PictureOptions& options)
{
    const std::optional<int> n = color_count(value);
    if (!n) return check_color_count(value);
    options.colors = *n;
    return QString();
}

// ---- Image -----------------------------------------------------------------

// The height most of the map lies at: its background, as a rule. The
// farthest of equals; the lowest height when the range is too wide to count.
std::int32_t commonest_height(const DepthMap& depth)
{
    const auto [low, high] = depth.range();
    if (std::int64_t(high) - low >= (1 << 20)) return low;
    std::vector<std::int64_t> count(std::size_t(std::int64_t(high) - low + 1));
    for (int y = 0; y < depth.height; ++y) {
        const auto row = depth.row(y);
        for (std::size_t i = 0; i < row.size(); ++i)
            count[std::size_t(row[i].z - low)] += (i + 1 < row.size() ? row[i + 1].begin : depth.width) - row[i].begin;
    }
    return low + static_cast<std::int32_t>(std::max_element(count.begin(), count.end()) - count.begin());
}

Pattern make_image(const PatternSource& s)
{
    return Pattern::image(s.options.tile, s.options.tile_own_size, s.separations(commonest_height(s.depth)),
                          s.samples, s.depth.width, s.depth.height);
}

QString check_tile_path(const QString& value)
{
    return value.isEmpty() ? QStringLiteral("--pattern needs an image file") : QString();
}

QString apply_tile_path(const QString& value, bool keep_size, PictureOptions& options)
{
    QString why;
    options.tile = platform::read_image_file(value, max_object_pixels, why);
    options.tile_own_size = keep_size;
    return options.tile.isNull() ? QStringLiteral("cannot read the pattern image %1: %2").arg(value, why) : QString();
}

// clang-format off
const PatternRow rows[] = {
    {PatternKind::Dots,      0, QT_TRANSLATE_NOOP("PatternTable", "Dots"),        false, false, {}, make_dots},
    {PatternKind::ColorDots, 1, QT_TRANSLATE_NOOP("PatternTable", "Colour dots"), true,  false,
     {"colors", "N", "Random dots in N colours, 2 to 256, instead of the configured two.", nullptr, nullptr,
      check_color_count, apply_color_count},
     make_color_dots},
    {PatternKind::Image,     2, QT_TRANSLATE_NOOP("PatternTable", "Image..."),    false, true,
     {"pattern", "IMAGE", "Repeats a tile (PNG, JPEG or BMP) across the picture instead of random dots.",
      "keep-tile-size", "The tile keeps its own size instead of being fitted to the repeat.",
      check_tile_path, apply_tile_path},
     make_image},
};
// clang-format on

} // namespace

std::span<const PatternRow> pattern_rows()
{
    return rows;
}

const PatternRow& pattern_row(PatternKind kind)
{
    for (const PatternRow& row : rows)
        if (row.kind == kind) return row;
    return rows[0];
}

const PatternRow* pattern_stored_as(std::int32_t stored)
{
    for (const PatternRow& row : rows)
        if (row.stored == stored) return &row;
    return nullptr;
}

QString pattern_label(const PatternRow& row)
{
    return QCoreApplication::translate("PatternTable", row.label);
}

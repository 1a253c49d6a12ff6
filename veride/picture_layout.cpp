#include "veride/picture_layout.h"
#include <QCoreApplication>

namespace {

// clang-format off
const LayoutRow rows[] = {
    {PictureLayout::Stereogram, "stereogram", QT_TRANSLATE_NOOP("PictureLayout", "Stereogram")},
    {PictureLayout::Pair,       "pair",       QT_TRANSLATE_NOOP("PictureLayout", "Stereo pair (parallel)")},
    {PictureLayout::CrossPair,  "cross-pair", QT_TRANSLATE_NOOP("PictureLayout", "Stereo pair (cross-eyed)")},
    {PictureLayout::Anaglyph,   "anaglyph",   QT_TRANSLATE_NOOP("PictureLayout", "Anaglyph (red-cyan)")},
};
// clang-format on

} // namespace

std::span<const LayoutRow> layout_rows()
{
    return rows;
}

const LayoutRow& layout_row(PictureLayout layout)
{
    for (const LayoutRow& row : rows)
        if (row.layout == layout) return row;
    return rows[0];
}

std::optional<PictureLayout> layout_named(const QString& cli_name)
{
    for (const LayoutRow& row : rows)
        if (cli_name == QLatin1String(row.cli_name)) return row.layout;
    return std::nullopt;
}

QString layout_label(const LayoutRow& row)
{
    return QCoreApplication::translate("PictureLayout", row.label);
}

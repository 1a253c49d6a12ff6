#pragma once
// How the scene is laid out in the picture saved: the single-image
// stereogram, or two views of the scene side by side (for parallel or
// cross-eyed viewing) or in one anaglyph for red-cyan glasses.
#include <QString>
#include <optional>
#include <span>

enum class PictureLayout {
    Stereogram, // the single-image stereogram
    Pair,       // left view on the left, right on the right: parallel viewing
    CrossPair,  // the two views swapped: cross-eyed viewing
    Anaglyph,   // red carries the left view, green and blue the right one
};

struct LayoutRow {
    PictureLayout layout;
    const char* cli_name; // --layout's value
    const char* label;    // the result window's list, translated where shown
};

// The rows in the order of the result window's list.
std::span<const LayoutRow> layout_rows();

const LayoutRow& layout_row(PictureLayout layout);

// The layout --layout names; nothing for a name no layout has.
std::optional<PictureLayout> layout_named(const QString& cli_name);

// The row's label as shown, translated.
QString layout_label(const LayoutRow& row);

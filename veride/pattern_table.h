#pragma once
// Every pattern the free pixels of a stereogram can show, once: the value
// the settings store keeps for it, the line of the result window's list,
// how dioramix-cli chooses it and how the engine makes it. A new pattern is
// one row here and its own code.
#include "veride/patterns.h"
#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <optional>
#include <span>

enum class PatternKind {
    Dots,      // random dots in the two configured colours
    ColorDots, // random dots in a number of colours drawn from the seed
    Image,     // a tile repeated across the picture
};

struct DepthMap;
struct PictureOptions;
struct RenderSettings;
class SeparationTable;

// What a pattern is made from, for rows of `samples` samples per pixel.
struct PatternSource {
    const PictureOptions& options;
    const RenderSettings& settings;
    std::uint64_t seed;
    int samples;
    const SeparationTable& separations;
    const DepthMap& depth;
};

// How dioramix-cli chooses a pattern: an option with a value, and a switch
// that only goes with it. The command line's texts are plain English, read
// by scripts as they are.
struct PatternOption {
    const char* name = nullptr; // without dashes; none for the pattern chosen when no option is
    const char* value_name = nullptr;
    const char* help = nullptr;
    const char* switch_name = nullptr; // none when the pattern has no switch
    const char* switch_help = nullptr;
    // The value's mistake, empty when it can be used; told with the other
    // mistakes of the command line.
    QString (*check)(const QString& value) = nullptr;
    // Puts the value, and whether the switch was given, into `options`; the
    // reason it cannot, empty on success.
    QString (*apply)(const QString& value, bool with_switch, PictureOptions& options) = nullptr;
};

struct PatternRow {
    PatternKind kind;
    std::int32_t stored; // the value of render_pattern in the settings store
    const char* label;   // the result window's list, translated where shown
    bool uses_colors;    // the number of colours applies to it
    bool uses_tile;      // made from a tile image, which must be there
    PatternOption cli;
    Pattern (*make)(const PatternSource& source);
};

// The rows in the order of the result window's list.
std::span<const PatternRow> pattern_rows();

const PatternRow& pattern_row(PatternKind kind);

// The row of a stored value; nothing for a value no pattern has.
const PatternRow* pattern_stored_as(std::int32_t stored);

// The row's label as shown, translated.
QString pattern_label(const PatternRow& row);

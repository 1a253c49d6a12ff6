#pragma once
// Every persisted setting, once: its registry value, kind, default, the
// Configuration field it binds to and its place in the 76-byte block the
// renderer is handed. Start-up loading, the Configuration dialog's stores,
// the block conversion and dioramix-cli's reading all walk these rows, so a
// new setting is one row (and, when the program reads it, one field).
//
// The rows are in start-up order: a first start writes the missing values
// in this order.
//
// Options that do not fit the 76-byte block (the renderer's pattern image,
// oversampling, cross-eyed viewing, guide marks) are rows of this table as
// well, marked `renderer_own`, with no field and no block offset. They live
// under the same key beside the values above. The renderer library reads
// them itself through the binding below (stored_setting, which writes
// nothing: a missing or bad value means the default) when it renders, and
// writes one (write_setting) when its result window changes it; start-up
// never touches them and RenderForm keeps its four blocks. Values are
// written one at a time (the settings file reads itself afresh under a lock
// for every write), so the program and the library never overwrite each
// other's.
#include "core/configuration.h"
#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>
#include <variant>

class RegistryKey;
struct ScreenMetrics;

enum class SettingKind : std::uint8_t {
    dword, // REG_DWORD
    flag,  // REG_DWORD 0 or 1, any non-zero read as 1; one byte in the block
    real,  // REG_BINARY of 8 bytes, a little-endian double
    text,  // REG_SZ
};

// Where the default written for a missing value comes from.
enum class DefaultRule : std::uint8_t {
    fixed,           // the row's own value
    screen_width,    // millimetres across the screen (0 where none is known)
    screen_height,   // millimetres down the screen
    cone_max_height, // the default focus cone's limits at the distances in force
    cone_min_height,
};

// Who reads a row, besides the Configuration dialog.
enum SettingUse : std::uint8_t {
    at_start = 1,     // start-up writes it when missing, then loads it
    for_render = 2,   // a render outside the program (dioramix-cli) reads it, never writes it
    renderer_own = 4, // the renderer library loads and stores it; not at start, not in the block
};

using SettingDefault = std::variant<std::int32_t, double, const char*>;
using SettingField = std::variant<std::monostate, std::int32_t ConfigurationRecord::*,
                                  std::uint8_t ConfigurationRecord::*, double ConfigurationRecord::*>;
// A value as read from or written to the store; flags as 0 or 1.
using SettingValue = std::variant<std::int32_t, double, QString>;

inline constexpr int no_block = -1;

struct SettingRow {
    const char* name;
    SettingKind kind;
    SettingDefault fixed;  // the default when `rule` is fixed
    DefaultRule rule;
    SettingField field;    // none for values the record does not hold
    int block_offset;      // no_block when not in the renderer's block
    std::uint8_t use;
};

namespace settings_rows {
using C = ConfigurationRecord;

constexpr SettingRow dword(const char* name, std::int32_t value, SettingField field, int offset,
                           std::uint8_t use = at_start)
{
    return {name, SettingKind::dword, value, DefaultRule::fixed, field, offset, use};
}
constexpr SettingRow dword(const char* name, DefaultRule rule, SettingField field, int offset,
                           std::uint8_t use = at_start)
{
    return {name, SettingKind::dword, 0, rule, field, offset, use};
}
constexpr SettingRow flag(const char* name, bool value, SettingField field, int offset, std::uint8_t use = at_start)
{
    return {name, SettingKind::flag, std::int32_t(value), DefaultRule::fixed, field, offset, use};
}
constexpr SettingRow real(const char* name, double value, SettingField field, int offset, std::uint8_t use = at_start)
{
    return {name, SettingKind::real, value, DefaultRule::fixed, field, offset, use};
}
constexpr SettingRow text(const char* name, const char* value, std::uint8_t use = at_start)
{
    return {name, SettingKind::text, value, DefaultRule::fixed, {}, no_block, use};
}

// clang-format off
inline constexpr SettingRow all[] = {
    //     registry value         default                        record field             block  read by
    dword("eye_distance",         40,                            &C::eye_distance,           0,    at_start | for_render),
    dword("level_distance",       1000,                          &C::level_distance,         4,    at_start | for_render),
    flag ("standardmonitor_flag", false,                         &C::standardmonitor_flag,   8),
    dword("monitor_type",         0,                             &C::monitor_type,          12),
    dword("monitor_width",        DefaultRule::screen_width,     &C::monitor_width,         16),
    dword("monitor_height",       DefaultRule::screen_height,    &C::monitor_height,        20),
    flag ("setfocuscone_flag",    true,                          &C::setfocuscone_flag,     24),
    real ("focus_angle",          0.1,                           &C::focus_angle,           28),
    dword("max_height",           DefaultRule::cone_max_height,  &C::max_height,            36,    at_start | for_render),
    dword("min_height",           DefaultRule::cone_min_height,  &C::min_height,            40,    at_start | for_render),
    flag ("donotusearray_flag",   false,                         &C::donotusearray_flag,    44,    at_start | for_render),
    dword("background_color",     0x800000, /* navy */           &C::background_color,      48,    at_start | for_render),
    dword("object_color",         0x00FFFF, /* yellow */         &C::object_color,          52,    at_start | for_render),
    dword("heightarray_limit",    100,                           &C::heightarray_limit,     56,    at_start | for_render),
    dword("filehistory",          4,                             &C::filehistory,           60),
    text ("filehistory_list",     ""),        // the file history: oldest entry first, each followed by ","
    dword("rendercolor_range",    10000,                         &C::rendercolor_range,     68,    at_start | for_render),
    dword("rendercolor_base",     0,                             &C::rendercolor_base,      72,    at_start | for_render),
    dword("undohistory",          4,                             &C::undohistory,           64),
    text ("show_condition",       "maximize"), // the main window's state, written at exit
    // The live preview's dock: shown or not, and the side it stands at (Qt's dock area numbers).
    flag ("preview_visible",      false,                         {},                        no_block, 0),
    dword("preview_area",         2, /* right */                 {},                        no_block, 0),
    // Its size and place as well: Qt's main-window state in Base64; the two rows above still
    // serve a store written before there was this one.
    text ("preview_layout",       "",                                                               0),
    // The renderer's own, read when it renders and written by its result window; the defaults
    // give the classic picture. render_pattern holds a value of the renderer's pattern table,
    // which also checks it; render_oversample: 1 to 8.
    dword("render_pattern",       0,                             {},                        no_block, renderer_own),
    dword("render_colors",        2,                             {},                        no_block, renderer_own),
    text ("render_pattern_image", "",                                                               renderer_own),
    flag ("render_keep_tile_size", false,                        {},                        no_block, renderer_own),
    dword("render_oversample",    1,                             {},                        no_block, renderer_own),
    flag ("render_cross_eyed",    false,                         {},                        no_block, renderer_own),
    flag ("render_guides",        false,                         {},                        no_block, renderer_own),
};
// clang-format on
} // namespace settings_rows

inline constexpr std::span<const SettingRow> configuration_settings{settings_rows::all};

// ---- Finding rows ----------------------------------------------------------

constexpr const SettingRow& setting_named(std::string_view name)
{
    for (const SettingRow& row : configuration_settings)
        if (name == row.name) return row;
    throw std::logic_error("no such setting");
}

// The row that binds `field`.
template <typename T>
constexpr const SettingRow& setting_of(T ConfigurationRecord::* field)
{
    for (const SettingRow& row : configuration_settings) {
        using Field = T ConfigurationRecord::*;
        if (std::holds_alternative<Field>(row.field) && std::get<Field>(row.field) == field) return row;
    }
    throw std::logic_error("no setting binds this field");
}

// A field's offset in the renderer's block, known when compiling.
template <auto field>
inline constexpr int block_offset_of = setting_of(field).block_offset;

// A field's fixed default, as the dialog's default buttons offer it.
constexpr std::int32_t fixed_default(std::int32_t ConfigurationRecord::* field)
{
    return std::get<std::int32_t>(setting_of(field).fixed);
}
constexpr double fixed_default(double ConfigurationRecord::* field)
{
    return std::get<double>(setting_of(field).fixed);
}

constexpr int block_width(SettingKind kind)
{
    switch (kind) {
    case SettingKind::dword: return 4;
    case SettingKind::flag: return 1;
    case SettingKind::real: return 8;
    case SettingKind::text: break;
    }
    return 0;
}

// Each row's kind fits its field and default; block places fit the block
// and never overlap.
constexpr bool settings_table_is_sound()
{
    int end = 0;
    for (const SettingRow& a : configuration_settings) {
        const bool fits = [&] {
            switch (a.kind) {
            case SettingKind::dword:
                return std::holds_alternative<std::int32_t>(a.fixed)
                    && (std::holds_alternative<std::int32_t ConfigurationRecord::*>(a.field)
                        || std::holds_alternative<std::monostate>(a.field));
            case SettingKind::flag:
                return std::holds_alternative<std::int32_t>(a.fixed)
                    && (std::holds_alternative<std::uint8_t ConfigurationRecord::*>(a.field)
                        || std::holds_alternative<std::monostate>(a.field));
            case SettingKind::real:
                return std::holds_alternative<double>(a.fixed)
                    && (std::holds_alternative<double ConfigurationRecord::*>(a.field)
                        || std::holds_alternative<std::monostate>(a.field));
            case SettingKind::text:
                return std::holds_alternative<const char*>(a.fixed) && std::holds_alternative<std::monostate>(a.field);
            }
            return false;
        }();
        if (!fits) return false;
        const bool in_block = a.block_offset != no_block;
        // The block is made from the record, and the renderer's own rows stay out of it and out of start-up.
        if (in_block && (std::holds_alternative<std::monostate>(a.field) || (a.use & renderer_own))) return false;
        if ((a.use & renderer_own) && (a.use & at_start)) return false;
        if (!in_block) continue;
        const int a_end = a.block_offset + block_width(a.kind);
        if (a.block_offset < 0 || a_end > int(configuration_block_size)) return false;
        if (a_end > end) end = a_end;
        for (const SettingRow& b : configuration_settings) {
            if (&a == &b || b.block_offset == no_block) continue;
            if (a.block_offset < b.block_offset + block_width(b.kind) && b.block_offset < a_end) return false;
        }
    }
    return end == int(configuration_block_size);
}
static_assert(settings_table_is_sound());

// ---- The registry binding --------------------------------------------------

// The default a missing value gets: the fixed one, or derived from the
// screen or from the values in force in `in_force`.
SettingValue default_value(const SettingRow& row, const ConfigurationRecord& in_force, const ScreenMetrics& screen);

// The stored value with the row's type; raises the registry's errors.
SettingValue read_setting(RegistryKey& key, const SettingRow& row);
void write_setting(RegistryKey& key, const SettingRow& row, const SettingValue& value);

// The stored value, or nothing when it is missing or cannot be read as
// the row's kind; never writes.
std::optional<SettingValue> stored_setting(RegistryKey& key, const SettingRow& row);

// Start-up's way: writes the default when the value is missing (a value
// that exists is never replaced, whatever its type), then reads it.
SettingValue load_setting(RegistryKey& key, const SettingRow& row, const ConfigurationRecord& in_force,
                          const ScreenMetrics& screen);

// Puts a value into the row's field, if it has one.
void assign_setting(ConfigurationRecord& record, const SettingRow& row, const SettingValue& value);

// The Configuration dialog's store: sets the field, then writes its registry
// value.
void store_setting(RegistryKey& key, ConfigurationRecord& record, std::int32_t ConfigurationRecord::* field,
                   std::int32_t value);
void store_setting(RegistryKey& key, ConfigurationRecord& record, std::uint8_t ConfigurationRecord::* field, bool value);
void store_setting(RegistryKey& key, ConfigurationRecord& record, double ConfigurationRecord::* field, double value);

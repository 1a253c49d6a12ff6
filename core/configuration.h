#pragma once
// The one record of all persisted settings. Every part of the program reads
// it directly; only the configuration dialog changes it after start-up.
// Its fields are also the block handed to the renderer, at the places the
// settings table gives.
#include "core/color.h"
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <span>

class RegistryKey;

// The defaults and registry names are the settings table's (settings_table.h).
struct ConfigurationRecord {
    // The table's defaults as far as they need no screen: the monitor size
    // is 0 until start-up measures the screen.
    ConfigurationRecord();

    std::int32_t eye_distance;
    std::int32_t level_distance;
    std::uint8_t standardmonitor_flag;
    std::int32_t monitor_type;
    std::int32_t monitor_width;
    std::int32_t monitor_height;
    std::uint8_t setfocuscone_flag;
    double focus_angle;
    std::int32_t max_height;
    std::int32_t min_height;
    std::uint8_t donotusearray_flag;
    StoredColor background_color;
    StoredColor object_color;
    std::int32_t heightarray_limit;
    std::int32_t filehistory;
    std::int32_t undohistory;
    std::int32_t rendercolor_range;
    std::int32_t rendercolor_base;
};

extern ConfigurationRecord Configuration;

// The key that holds every setting, below HKEY_CURRENT_USER.
inline constexpr const char* configuration_key_path = "\\SOFTWARE\\Tessavue\\Configuration";

// The record as the renderer reads it: 76 bytes, little-endian, flags as one
// byte 0 or 1, zero padding, the double unaligned at offset 28.
inline constexpr std::size_t configuration_block_size = 76;
using ConfigurationBlock = std::array<std::uint8_t, configuration_block_size>;
ConfigurationBlock configuration_block(const ConfigurationRecord& record);
ConfigurationRecord configuration_from_block(std::span<const std::uint8_t, configuration_block_size> block);

// Millimetres covered by `pixels` at `dpi` pixels per inch, truncated.
std::int32_t screen_millimetres(int pixels, int dpi);

// The tangent of an angle in degrees.
double tangent_of_degrees(double degrees);

struct HeightLimits {
    std::int32_t max_height = 0;
    std::int32_t min_height = 0;
};

// The highest and lowest object heights a focus cone with this tangent
// allows for the given eye distance and distance from the zero level. The
// distances are squared in 64-bit integers, so large ones cannot wrap; a
// result outside the 32-bit range is clamped and a meaningless one (a zero
// divisor with a zero numerator) gives 0.
HeightLimits height_limits(std::int32_t eye_distance, std::int32_t level_distance, double tangent);

// What the main window needs from loading besides the record.
struct ConfigurationLoad {
    bool maximized = true;     // from show_condition: exactly "maximize"
    QString filehistory_list;  // the stored history text, oldest entry first
    QStringList problems;      // messages to show the user, each once, as errors
};

// Rebuilds the file history from the open key: reads filehistory_list and
// may rewrite it.
using HistoryLoader = std::function<void(RegistryKey&)>;

// Fills `Configuration` from the registry, writing the default of every
// value that is missing. Never throws for the registry: after a failure the
// loading stops, the fields not loaded keep their defaults, and the error
// is in `problems`. `load_history`, when given, runs at the point where the
// history belongs in the loading order.
ConfigurationLoad load_configuration(const HistoryLoader& load_history = {});

// At exit: stores whether the main window is maximised. Returns the
// messages to show the user (empty when all went well).
QStringList save_show_condition(bool maximized);

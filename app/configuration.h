#pragma once
// The one record of all persisted settings. Every part of the program reads
// it directly; only the configuration dialog changes it after start-up.
// Its field order and widths are also the block handed to the renderer.
#include "document/color.h"
#include <cstdint>

struct ConfigurationRecord {
    std::int32_t eye_distance = 40;
    std::int32_t level_distance = 1000;
    std::uint8_t standardmonitor_flag = 0;
    std::int32_t monitor_type = 0;
    std::int32_t monitor_width = 0;
    std::int32_t monitor_height = 0;
    std::uint8_t setfocuscone_flag = 1;
    double focus_angle = 0.1;
    std::int32_t max_height = 80;
    std::int32_t min_height = -95;
    std::uint8_t donotusearray_flag = 0;
    TColor background_color = 0x800000; // navy
    TColor object_color = 0x00FFFF;     // yellow
    std::int32_t heightarray_limit = 100;
    std::int32_t filehistory = 4;
    std::int32_t undohistory = 4;
    std::int32_t rendercolor_range = 10000;
    std::int32_t rendercolor_base = 0;
};

extern ConfigurationRecord Configuration;

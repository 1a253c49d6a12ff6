#pragma once
#include "platform/seam.h"

// What the program needs to know of the screen: its size in pixels and its
// logical resolution.
struct ScreenMetrics {
    int width_px = 0;
    int height_px = 0;
    int dpi_x = 96;
    int dpi_y = 96;
};

ScreenMetrics screen_metrics();

namespace platform {
using ScreenSeam = Seam<ScreenMetrics()>;
ScreenSeam& screen_seam();
}

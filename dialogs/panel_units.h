#pragma once
// The arithmetic of the panel dimensions dialog: resolutions, the texts it
// shows and the conversions between pixels and millimetres.
#include "core/panel_dimensions.h"
#include <QString>
#include <cstdint>
#include <optional>

// The whole part of `value`, truncated toward zero and kept within the
// 32-bit range; not-a-number gives 0.
std::int32_t whole_part(double value);

// Horizontal and vertical resolution in dots per inch.
struct Resolution {
    double x = 0;
    double y = 0;
};

// The screen's resolution on a monitor of the given visible size. A size
// that is not positive says nothing about the monitor; that axis then takes
// the screen's logical dots per inch.
Resolution screen_resolution(int screen_width_px, int screen_height_px, int monitor_width_mm,
                             int monitor_height_mm, int logical_dpi_x, int logical_dpi_y);

// "96x96 dpi" or, per millimetre, "3.79x3.78 dpmm".
QString resolution_text(Resolution resolution, bool per_mm);

// Pixels per shown unit: dots per millimetre, or 1 for pixels.
double unit_factor(double dpi, bool millimetres);

// A working size in pixels as shown in the unit: the whole part of
// pixels / factor. A zero factor (no resolution) shows 0.
std::int32_t shown_dimension(std::int32_t pixels, double factor);

// Reads a dimension box: every occurrence of `unit_word` removed (case
// matters), blanks trimmed, the rest an integer. Nothing when it is not one.
std::optional<std::int32_t> read_dimension(QString text, const QString& unit_word);

// The working size in pixels of a number typed in the unit: n * factor,
// rounded half up.
std::int32_t working_dimension(std::int32_t shown, double factor);

// The panel dimensions for a working size at a resolution: millimetres
// truncated.
PanelDimensionsRecord panel_dimensions_for(std::int32_t width_px, std::int32_t height_px, Resolution resolution);

// The largest panel side the program accepts, in pixels.
inline constexpr std::int32_t max_panel_side = 32767;

#pragma once
// The size of a drawing panel in millimetres and pixels: set by the panel
// dimensions dialog before a new drawing is made and by every activation of
// a drawing window; read when a panel is created.
#include <cstdint>

struct PanelDimensionsRecord {
    std::int32_t width_mm = 0;
    std::int32_t height_mm = 0;
    std::int32_t width_px = 0;
    std::int32_t height_px = 0;
};

extern PanelDimensionsRecord PanelDimensions;

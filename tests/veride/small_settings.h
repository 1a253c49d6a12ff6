#pragma once
// Viewing settings for small test pictures: 2 pixels per millimetre, eyes
// 120 pixels apart, the zero level at 400 mm.
#include "veride/render_settings.h"

inline RenderSettings small_settings(int width_px, int height_px)
{
    RenderSettings s;
    s.eye_distance = 60;
    s.level_distance = 400;
    s.max_height = 100;
    s.min_height = -100;
    s.width_px = width_px;
    s.height_px = height_px;
    s.width_mm = width_px / 2;
    s.height_mm = height_px / 2;
    return s;
}

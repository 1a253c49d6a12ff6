#pragma once
// Colours as the program stores them: a signed 32-bit value 0x00BBGGRR.
// Convert to Qt's colours only at the edges.
#include <QColor>
#include <cstdint>

using StoredColor = std::int32_t;

inline constexpr StoredColor color_black = 0x000000;
inline constexpr StoredColor color_white = 0xFFFFFF;

inline constexpr int red_of(StoredColor c) { return c & 0xFF; }
inline constexpr int green_of(StoredColor c) { return (c >> 8) & 0xFF; }
inline constexpr int blue_of(StoredColor c) { return (c >> 16) & 0xFF; }

inline constexpr StoredColor rgb_color(int r, int g, int b)
{
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

inline QColor to_qcolor(StoredColor c) { return QColor(red_of(c), green_of(c), blue_of(c)); }
inline StoredColor from_qcolor(const QColor& c) { return rgb_color(c.red(), c.green(), c.blue()); }

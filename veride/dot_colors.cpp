#include "veride/dot_colors.h"
#include <algorithm>
#include <cmath>

DotColors dot_colors(std::int32_t base, std::int32_t range)
{
    DotColors colors;
    for (int c = 0; c < 3; ++c) colors.first[c] = static_cast<std::uint8_t>((base >> (8 * c)) & 0xFF);
    const double luma = 0.299 * colors.first[0] + 0.587 * colors.first[1] + 0.114 * colors.first[2];
    const double toward = luma < 128 ? 255.0 : 0.0;
    const double contrast = std::clamp(range, 0, 10000) / 10000.0;
    for (int c = 0; c < 3; ++c) {
        const double v = colors.first[c] + (toward - colors.first[c]) * contrast;
        colors.second[c] = static_cast<std::uint8_t>(std::floor(v + 0.5));
    }
    return colors;
}

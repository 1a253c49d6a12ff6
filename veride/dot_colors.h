#pragma once
// The two dot colours of a stereogram. `rendercolor_base` is the colour of
// the first kind of dot (0x00BBGGRR; 0 is black). `rendercolor_range` is the
// contrast of the second kind against it in hundredths of a percent: 10000
// takes it all the way to white (or to black from a light base), 5000
// halfway, 0 makes both kinds alike. Values outside 0..10000 are held to it.
#include <array>
#include <cstdint>

struct DotColors {
    std::array<std::uint8_t, 3> first{};  // R, G, B
    std::array<std::uint8_t, 3> second{}; // R, G, B
};

DotColors dot_colors(std::int32_t base, std::int32_t range);

#pragma once
// The scan of a morphology bitmap: the smallest and largest value of each
// colour channel over the pixels that can carry a height (black or a pure
// shade of one channel) and differ from the background, which is the
// colour of the bottom-right pixel. A bitmap without a pure shade of any
// channel is read as grey: its grey pixels count, each channel taking the
// grey value, so that a greyscale relief gives its real range.
#include <array>
#include <cstdint>

class QImage;

// Red smallest, red largest, green smallest, green largest, blue smallest,
// blue largest. A channel with no counted pixel keeps 256 and 0.
using ChannelRanges = std::array<std::int32_t, 6>;

// `image` must be at least 1 x 1; any format (it is read as 24 bits).
ChannelRanges scan_channel_ranges(const QImage& image);

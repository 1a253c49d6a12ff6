#pragma once
// The separation of every height: the renderer's "height array", one
// 2-byte entry per millimetre of the height range, or the formula per
// pixel when the table is not used.
#include "veride/geometry.h"
#include <cstdint>
#include <vector>

//
// For cross-eyed viewing the heights are mirrored within the range: the
// highest point takes the separation of the lowest and so on, so that near
// parts repeat wider than far ones over the same range of repeats. Only the
// separations change: what hides what still follows the real heights.
class SeparationTable {
public:
    // Builds the table when `use_table`; else every lookup computes.
    SeparationTable(const StereoGeometry& geometry, std::int32_t min_height, std::int32_t max_height, bool use_table,
                    bool cross_eyed = false);

    bool uses_table() const { return !table_.empty(); }

    int operator()(std::int32_t z) const
    {
        if (!table_.empty()) return table_[static_cast<std::size_t>(std::int64_t(z) - min_height_)];
        return geometry_.separation_px(mirrored(z));
    }

    // The separation before rounding, also for heights outside the range.
    double exact(double z) const { return geometry_.separation_exact_px(mirrored(z)); }

private:
    double mirrored(double z) const { return cross_eyed_ ? double(min_height_) + max_height_ - z : z; }

    StereoGeometry geometry_;
    std::int32_t min_height_;
    std::int32_t max_height_;
    bool cross_eyed_;
    std::vector<std::int16_t> table_;
};

// The size of the table in bytes for a height range, as the configuration
// dialog estimates it.
std::int64_t height_array_bytes(std::int32_t min_height, std::int32_t max_height);

// A table is never built beyond this many entries, whatever the settings:
// the formula gives the same separations without the memory.
inline constexpr std::int64_t largest_height_array = std::int64_t(1) << 24;

#include "veride/separations.h"

SeparationTable::SeparationTable(const StereoGeometry& geometry, std::int32_t min_height, std::int32_t max_height,
                                 bool use_table, bool cross_eyed)
    : geometry_(geometry), min_height_(min_height), max_height_(max_height), cross_eyed_(cross_eyed)
{
    const std::int64_t entries = std::int64_t(max_height) - min_height + 1;
    // Entries are 2 bytes: a separation beyond their range is computed instead.
    if (!use_table || entries <= 0 || entries > largest_height_array || geometry.eye_distance_px() >= 32767) return;
    table_.resize(static_cast<std::size_t>(entries));
    for (std::int64_t i = 0; i < entries; ++i)
        table_[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(geometry.separation_px(mirrored(double(min_height + i))));
}

std::int64_t height_array_bytes(std::int32_t min_height, std::int32_t max_height)
{
    return 2 * (std::int64_t(max_height) - min_height);
}

#include "veride/render_settings.h"
#include <QtEndian>

namespace {

std::int32_t int32_at(const unsigned char* block, int offset)
{
    return qFromLittleEndian<std::int32_t>(block + offset);
}

} // namespace

RenderSettings settings_from_blocks(const unsigned char* configuration, const unsigned char* dimensions)
{
    RenderSettings s;
    s.eye_distance = int32_at(configuration, 0);
    s.level_distance = int32_at(configuration, 4);
    s.max_height = int32_at(configuration, 36);
    s.min_height = int32_at(configuration, 40);
    s.donotusearray = configuration[44] != 0;
    s.heightarray_limit = int32_at(configuration, 56);
    s.rendercolor_range = int32_at(configuration, 68);
    s.rendercolor_base = int32_at(configuration, 72);
    s.width_mm = int32_at(dimensions, 0);
    s.height_mm = int32_at(dimensions, 4);
    s.width_px = int32_at(dimensions, 8);
    s.height_px = int32_at(dimensions, 12);
    return s;
}

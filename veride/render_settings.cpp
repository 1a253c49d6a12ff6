#include "veride/render_settings.h"
#include "core/settings_table.h"
#include <QtEndian>

namespace {

std::int32_t int32_at(const unsigned char* block, int offset)
{
    return qFromLittleEndian<std::int32_t>(block + offset);
}

// The places come from the program's settings table when this is compiled:
// the library links none of the program's code.
template <auto field>
std::int32_t configured(const unsigned char* configuration)
{
    return int32_at(configuration, block_offset_of<field>);
}

} // namespace

RenderSettings settings_from_blocks(const unsigned char* configuration, const unsigned char* dimensions)
{
    using C = ConfigurationRecord;
    RenderSettings s;
    s.eye_distance = configured<&C::eye_distance>(configuration);
    s.level_distance = configured<&C::level_distance>(configuration);
    s.max_height = configured<&C::max_height>(configuration);
    s.min_height = configured<&C::min_height>(configuration);
    s.donotusearray = configuration[block_offset_of<&C::donotusearray_flag>] != 0;
    s.heightarray_limit = configured<&C::heightarray_limit>(configuration);
    s.rendercolor_range = configured<&C::rendercolor_range>(configuration);
    s.rendercolor_base = configured<&C::rendercolor_base>(configuration);
    s.width_mm = int32_at(dimensions, 0);
    s.height_mm = int32_at(dimensions, 4);
    s.width_px = int32_at(dimensions, 8);
    s.height_px = int32_at(dimensions, 12);
    return s;
}

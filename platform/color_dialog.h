#pragma once
#include "platform/seam.h"
#include <cstdint>

// The colour dialog, preset to `color` (0x00BBGGRR, as the program stores
// colours). Returns whether the user confirmed; `color` then holds the
// chosen colour.
bool choose_color(std::int32_t& color);

namespace platform {
using ColorDialogSeam = Seam<bool(std::int32_t&)>;
ColorDialogSeam& color_dialog_seam();
}

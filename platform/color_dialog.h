#pragma once
#include "document/color.h"
#include "platform/seam.h"

// The colour dialog, preset to `color`. Returns whether the user confirmed;
// `color` then holds the chosen colour.
bool choose_color(TColor& color);

namespace platform {
using ColorDialogSeam = Seam<bool(TColor&)>;
ColorDialogSeam& color_dialog_seam();
}

#pragma once
#include "platform/seam.h"
#include <QFont>

// The font dialog, loaded with `font`. Returns whether the user confirmed;
// `font` then holds the chosen font.
bool choose_font(QFont& font);

namespace platform {
using FontDialogSeam = Seam<bool(QFont&)>;
FontDialogSeam& font_dialog_seam();
}

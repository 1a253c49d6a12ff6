#pragma once
#include "platform/seam.h"
#include <QString>

// A modal box with a caption, a prompt and an edit field of at most 255
// characters whose initial text is selected. Returns whether OK was pressed;
// `text` holds the edited text then.
bool input_box(const QString& caption, const QString& prompt, QString& text);

namespace platform {
using InputBoxSeam = Seam<bool(const QString&, const QString&, QString&)>;
InputBoxSeam& input_box_seam();
}

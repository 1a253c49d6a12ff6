#pragma once
#include "platform/seam.h"

class QDialog;

// Shows a dialog modally and returns its result (QDialog::Accepted or
// QDialog::Rejected). Tests put a function here that fills the dialog's
// controls and presses its buttons instead of waiting for a person.
int show_modal(QDialog& dialog);

namespace platform {
using ModalSeam = Seam<int(QDialog&)>;
ModalSeam& modal_seam();
}

#include "platform/modal.h"
#include <QDialog>

namespace platform {
ModalSeam& modal_seam()
{
    static ModalSeam seam([](QDialog& dialog) { return dialog.exec(); });
    return seam;
}
}

int show_modal(QDialog& dialog)
{
    return platform::modal_seam()(dialog);
}

#include "platform/font_dialog.h"
#include <QApplication>
#include <QFontDialog>

namespace platform {
FontDialogSeam& font_dialog_seam()
{
    static FontDialogSeam seam([](QFont& font) {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, font, QApplication::activeWindow());
        if (ok) font = chosen;
        return ok;
    });
    return seam;
}
}

bool choose_font(QFont& font)
{
    return platform::font_dialog_seam()(font);
}

#include "platform/color_dialog.h"
#include <QApplication>
#include <QColorDialog>

namespace platform {
ColorDialogSeam& color_dialog_seam()
{
    static ColorDialogSeam seam([](TColor& color) {
        const QColor chosen = QColorDialog::getColor(to_qcolor(color), QApplication::activeWindow());
        if (!chosen.isValid()) return false;
        color = from_qcolor(chosen);
        return true;
    });
    return seam;
}
}

bool choose_color(TColor& color)
{
    return platform::color_dialog_seam()(color);
}

#include "platform/color_dialog.h"
#include <QApplication>
#include <QColorDialog>

namespace platform {
ColorDialogSeam& color_dialog_seam()
{
    static ColorDialogSeam seam([](std::int32_t& color) {
        const QColor preset(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
        const QColor chosen = QColorDialog::getColor(preset, QApplication::activeWindow());
        if (!chosen.isValid()) return false;
        color = chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16);
        return true;
    });
    return seam;
}
}

bool choose_color(std::int32_t& color)
{
    return platform::color_dialog_seam()(color);
}

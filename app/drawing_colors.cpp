// The active drawing follows a change of the drawing colours. The other open
// drawings keep their pixels: they are recoloured only by the change made
// while they are the active one.
#include "app/main_window.h"
#include "core/configuration.h"
#include "core/raster.h"
#include "core/shape.h"
#include "dialogs/configuration_recolor.h"
#include "document/drawing_window.h"
#include <QPalette>
#include <exception>

void MainWindow::recolor_active_drawing(StoredColor old_background, StoredColor old_object)
{
    DrawingWindow* drawing = active_drawing_;
    if (!drawing) return;
    const StoredColor background = Configuration.background_color;
    const StoredColor object = Configuration.object_color;
    for (Shape* shape : drawing->shapes) {
        try {
            if (object == old_object)
                replace_color(shape->buffer, old_background, background);
            else if (background == old_background)
                replace_color(shape->buffer, old_object, object);
            else
                replace_two_colors(shape->buffer, old_background, background, old_object, object);
        } catch (const std::exception&) {
            // An object whose pixels cannot be recoloured keeps them.
        }
    }
    QPalette colours = drawing->palette();
    colours.setColor(QPalette::Window, to_qcolor(background));
    drawing->setPalette(colours);
    if (drawing->panel) {
        drawing->panel->font_color = object;
        drawing->panel->update();
    }
    drawing->mark_changed();
}

// The popup commands that edit the current object through a dialog: the
// dialog only collects values; the drawing applies them and records the
// change.
#include "core/configuration.h"
#include "core/height_bitmap.h"
#include "core/raster.h"
#include "core/rounded_edges.h"
#include "core/shape.h"
#include "core/silhouette.h"
#include "dialogs/crop_dialog.h"
#include "dialogs/move_dialog.h"
#include "dialogs/number_text.h"
#include "dialogs/properties_dialog.h"
#include "dialogs/resize_dialog.h"
#include "dialogs/rotate_dialog.h"
#include "dialogs/morphology_dialog.h"
#include "dialogs/round_edges_dialog.h"
#include "document/drawing_host.h"
#include "document/drawing_window.h"
#include <QLineEdit>
#include <QSpinBox>
#include <new>

namespace {

// After a change from a dialog the object shows its resize nodes.
void show_resize_nodes(DrawingWindow& drawing, Shape* shape)
{
    shape->edit_mode = EditMode::Crop;
    drawing.cycle_edit_mode(shape);
}

} // namespace

void DrawingWindow::edit_morphology()
{
    if (!current_shape || !morphology_dialog) return;
    MorphologyDialog& dialog = *morphology_dialog;
    Morphology kept;
    reset_morphology(dialog.morphology);
    reset_morphology(kept);
    assign_morphology(current_shape->morphology, dialog.morphology);
    assign_morphology(current_shape->morphology, kept);
    repaint();
    dialog.execute();
    if (dialog.confirmed != 1 || !assign_morphology(dialog.morphology, kept)) return;
    change_morphology(current_shape, dialog.morphology);
}

void DrawingWindow::change_morphology(Shape* shape, const Morphology& morphology)
{
    Morphology changed = shape->morphology;
    if (!assign_morphology(morphology, changed)) return;
    HistoryEntry* entry = history.create_entry(tr("Object Morphology"));
    history.take_snapshot(entry, 0, shape);
    shape->morphology = changed;
    history.take_snapshot(entry, 1, shape);
    modified = 1;
    mark_changed();
}

void DrawingWindow::round_edges()
{
    Shape* shape = current_shape;
    if (!shape || !round_edges_dialog || !panel) return;
    const QImage silhouette = silhouette_mask(shape->buffer, Configuration.background_color);
    require_pixels(silhouette);
    // Millimetres across the panel, as the stereogram measures them.
    const double pixels_per_mm = panel->width_mm > 0 ? double(panel->pixel_size().width()) / panel->width_mm
                                                     : 96 / 25.4;
    RoundEdgesDialog& dialog = *round_edges_dialog;
    dialog.execute(silhouette, pixels_per_mm);
    if (dialog.cancelled == 1) return;
    const RoundEdgesValues& chosen = dialog.values;
    const std::vector<float> levels = rounded_levels(silhouette, chosen.band_mm * pixels_per_mm, chosen.profile);
    if (levels.size() != std::size_t(silhouette.width()) * std::size_t(silhouette.height())) throw std::bad_alloc();
    const QImage bitmap = green_height_bitmap(silhouette.width(), silhouette.height(), levels);
    require_pixels(bitmap);
    const QByteArray path = host->keep_generated_bitmap(*this, shape->name, bitmap);
    change_morphology(shape, green_height_morphology(path, chosen.base_mm, chosen.top_mm));
}

void DrawingWindow::edit_properties()
{
    if (!current_shape || !properties_dialog) return;
    properties_dialog->execute(*current_shape);
}

void DrawingWindow::ask_move()
{
    Shape* shape = current_shape;
    if (!shape || !move_dialog) return;
    move_dialog->execute(QPoint(shape->left, shape->top), QSize(shape->width, shape->height),
                     panel ? panel->pixel_size() : QSize());
    if (move_dialog->cancelled == 1) return;
    if (!move_shape(shape, move_dialog->x_box->value(), move_dialog->y_box->value())) return;
    modified = 1;
    show_resize_nodes(*this, shape);
}

void DrawingWindow::ask_rotate()
{
    Shape* shape = current_shape;
    if (!shape || !rotate_dialog) return;
    rotate_dialog->execute();
    if (rotate_dialog->cancelled == 1) {
        show_resize_nodes(*this, shape);
        return;
    }
    const Rotation& r = rotate_dialog->rotation;
    if (!rotate_shape(shape, r.mirror_x, r.mirror_y, r.sin, r.cos)) return;
    panel->update();
    show_resize_nodes(*this, shape);
    modified = 1;
}

void DrawingWindow::ask_crop()
{
    Shape* shape = current_shape;
    if (!shape || !crop_dialog) return;
    crop_dialog->execute();
    if (crop_dialog->cancelled == 1) return;
    if (!crop_shape(shape, integer_or_zero(crop_dialog->left_box->text()),
                    integer_or_zero(crop_dialog->right_box->text()), integer_or_zero(crop_dialog->top_box->text()),
                    integer_or_zero(crop_dialog->bottom_box->text())))
        return;
    panel->update();
    show_resize_nodes(*this, shape);
}

void DrawingWindow::ask_resize()
{
    Shape* shape = current_shape;
    if (!shape || !resize_dialog) return;
    resize_dialog->execute(shape->width, shape->height);
    if (resize_dialog->cancelled == 1) return;
    if (!resize_shape(shape, resize_dialog->new_width, resize_dialog->new_height)) return;
    show_resize_nodes(*this, shape);
}

// The popup commands that edit the current object through a dialog: the
// dialog only collects values; the drawing applies them and records the
// change.
#include "core/configuration.h"
#include "core/shape.h"
#include "dialogs/cropshape.h"
#include "dialogs/moveshape.h"
#include "dialogs/number_text.h"
#include "dialogs/object_properties.h"
#include "dialogs/resizeshape.h"
#include "dialogs/rotateshape.h"
#include "dialogs/set_edges.h"
#include "document/design.h"
#include <QLineEdit>
#include <QSpinBox>

namespace {

// After a change from a dialog the object shows its resize nodes.
void show_resize_nodes(TForm2& drawing, TRazidoVavoz* shape)
{
    shape->edit_mode = QStringLiteral("crop");
    drawing.cycle_edit_mode(shape);
}

} // namespace

void TForm2::N4Click()
{
    if (!current_shape || !Form3) return;
    TForm3& dialog = *Form3;
    Morphology kept;
    reset_morphology(dialog.morphology);
    reset_morphology(kept);
    assign_morphology(current_shape->morphology, dialog.morphology);
    assign_morphology(current_shape->morphology, kept);
    repaint();
    dialog.ShowModal();
    if (dialog.confirmed != 1 || !assign_morphology(dialog.morphology, kept)) return;
    TShapeEvent* entry = history.create_entry(QStringLiteral("Object Morphology"));
    history.take_snapshot(entry, 0, current_shape);
    assign_morphology(dialog.morphology, current_shape->morphology);
    history.take_snapshot(entry, 1, current_shape);
    modified = 1;
    mark_changed();
}

void TForm2::SetHeights1Click()
{
    if (!current_shape || !Form7) return;
    Form7->ShowModal(*current_shape);
}

void TForm2::Move1Click()
{
    TRazidoVavoz* shape = current_shape;
    if (!shape || !Form5) return;
    Form5->ShowModal(QPoint(shape->Left, shape->Top), QSize(shape->Width, shape->Height),
                     panel ? panel->pixel_size() : QSize());
    if (Form5->cancelled == 1) return;
    if (!move_shape(shape, Form5->sex->value(), Form5->sey->value())) return;
    modified = 1;
    show_resize_nodes(*this, shape);
}

void TForm2::Rotate1Click()
{
    TRazidoVavoz* shape = current_shape;
    if (!shape || !Form6) return;
    Form6->ShowModal();
    if (Form6->cancelled == 1) {
        show_resize_nodes(*this, shape);
        return;
    }
    const Rotation& r = Form6->rotation;
    if (!rotate_shape(shape, r.mirror_x, r.mirror_y, r.sin, r.cos)) return;
    panel->update();
    show_resize_nodes(*this, shape);
    modified = 1;
}

void TForm2::Crop1Click()
{
    TRazidoVavoz* shape = current_shape;
    if (!shape || !Form8) return;
    Form8->ShowModal();
    if (Form8->cancelled == 1) return;
    if (!crop_shape(shape, integer_or_zero(Form8->Edit1->text()), integer_or_zero(Form8->Edit2->text()),
                    integer_or_zero(Form8->Edit3->text()), integer_or_zero(Form8->Edit4->text())))
        return;
    panel->update();
    show_resize_nodes(*this, shape);
}

void TForm2::Resize1Click()
{
    TRazidoVavoz* shape = current_shape;
    if (!shape || !Form10) return;
    Form10->ShowModal(shape->Width, shape->Height);
    if (Form10->cancelled == 1) return;
    if (!resize_shape(shape, Form10->new_width, Form10->new_height)) return;
    show_resize_nodes(*this, shape);
}

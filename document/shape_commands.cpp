// The popup commands that edit the current object through a dialog: the
// dialog only collects values; the drawing applies them and records the
// change.
#include "app/configuration.h"
#include "document/design.h"
#include "document/shape.h"
#include "dialogs/object_properties.h"
#include "dialogs/set_edges.h"

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
}

void TForm2::SetHeights1Click()
{
    if (!current_shape || !Form7) return;
    Form7->ShowModal(*current_shape);
}

// The main window's Cut, Copy and Paste: they act on the active drawing.
#include "app/parentform.h"
#include "document/design.h"

void TMainForm::Cut1Execute()
{
    if (TForm2* drawing = active_child_drawing()) drawing->cut_shape();
}

void TMainForm::Copy1Execute()
{
    if (TForm2* drawing = active_child_drawing()) drawing->copy_shape();
}

void TMainForm::Paste1Execute()
{
    if (TForm2* drawing = active_child_drawing()) drawing->paste_shape();
}

// The main window's Cut, Copy and Paste: they act on the active drawing.
#include "app/main_window.h"
#include "document/drawing_window.h"

void MainWindow::cut()
{
    if (DrawingWindow* drawing = active_child_drawing()) drawing->cut_shape();
}

void MainWindow::copy()
{
    if (DrawingWindow* drawing = active_child_drawing()) drawing->copy_shape();
}

void MainWindow::paste()
{
    if (DrawingWindow* drawing = active_child_drawing()) drawing->paste_shape();
}

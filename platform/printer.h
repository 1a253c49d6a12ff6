#pragma once
// The printers the program can print to: the installed list, the one the
// program uses (chosen on the configuration dialog, else the system's
// default), its device capabilities and its set-up dialog. Tests put a fake
// printer in place of the real one, and answer the print dialog with a
// PDF printer.
#include "platform/seam.h"
#include <QStringList>

class QPrinter;
class QWidget;

// What a printer's driver reports, in device pixels and logical dots per inch.
struct PrinterCapabilities {
    int dpi_x = 0;
    int dpi_y = 0;
    int printable_width = 0;
    int printable_height = 0;
    int physical_width = 0;
    int physical_height = 0;
    int offset_x = 0;
    int offset_y = 0;
};

class Printers {
public:
    virtual ~Printers() = default;
    virtual QStringList names() = 0;
    // Index into names() of the printer in use; -1 when none is installed.
    virtual int current_index() = 0;
    virtual void set_current_index(int index) = 0;
    // Of the printer in use.
    virtual PrinterCapabilities capabilities() = 0;
    // The printer set-up dialog for the printer in use; true when confirmed.
    virtual bool setup() = 0;
};

// The printers in use: the real ones unless a test replaced them.
Printers& printers();

namespace platform {
// A null pointer restores the real printers. The caller keeps `fake` alive.
void replace_printers(Printers* fake);

// The system's print dialog for `printer`: the person chooses the printer,
// its page and copies; true when they print.
using PrintDialogSeam = Seam<bool(QPrinter& printer, QWidget* parent)>;
PrintDialogSeam& print_dialog_seam();
}

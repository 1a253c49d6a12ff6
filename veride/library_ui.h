#pragma once
// What the renderer library asks of a person, each through one replaceable
// function so that its windows can be driven by tests. The library cannot
// use the program's own seams: it imports nothing from the program.
#include "platform/seam.h"
#include <QString>

class QDialog;
class QWidget;

namespace veride {

using MessageSeam = platform::Seam<void(QWidget* parent, const QString& text)>;
using SavePathSeam = platform::Seam<QString(QWidget* parent, const QString& caption, const QString& proposed,
                                            const QString& filter)>;
using OpenPathSeam = platform::Seam<QString(QWidget* parent, const QString& caption, const QString& folder,
                                            const QString& filter)>;
using ModalSeam = platform::Seam<int(QDialog&)>;

// An error message box titled "Dioramix".
MessageSeam& message_seam();
// A save-file dialog; an empty text when cancelled.
SavePathSeam& save_path_seam();
// An open-file dialog; an empty text when cancelled.
OpenPathSeam& open_path_seam();
// Shows a dialog modally and returns its result.
ModalSeam& modal_seam();

} // namespace veride

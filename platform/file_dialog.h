#pragma once
#include "platform/seam.h"
#include <QString>

// The common file dialogs, kept as objects whose fields survive between
// showings, as the program's commands expect: a command sets `Title`, runs
// `Execute()` and reads `FileName`.
class FileDialog {
public:
    enum class Kind { Open, Save, OpenPicture };

    explicit FileDialog(Kind kind) : kind_(kind) {}

    QString Title;
    QString Filter;     // "Description (*.ext)|*.ext", pairs separated by '|'
    QString DefaultExt; // without the dot
    QString FileName;
    // The folder the dialog starts in; when empty, the folder of FileName.
    // A save dialog proposes FileName's name in it.
    QString InitialDir;

    Kind kind() const { return kind_; }

    // True when the user chose a file; FileName then holds its full path.
    bool Execute();

    // The filter in the form Qt's dialogs take: "Description (*.ext);;...".
    QString qt_filter() const;

private:
    Kind kind_;
};

namespace platform {
using FileDialogSeam = Seam<bool(FileDialog&)>;
FileDialogSeam& file_dialog_seam();
}

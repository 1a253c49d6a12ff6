#pragma once
#include "platform/seam.h"
#include <QString>

// The common file dialogs, kept as objects whose fields survive between
// showings, as the program's commands expect: a command sets `title`, runs
// `execute()` and reads `file_name`.
class FileDialog {
public:
    enum class Kind { Open, Save, OpenPicture };

    explicit FileDialog(Kind kind) : kind_(kind) {}

    QString title;
    QString filter;     // "Description (*.ext)|*.ext", pairs separated by '|'
    QString default_suffix; // without the dot
    QString file_name;
    // The folder the dialog starts in; when empty, the folder of file_name.
    // A save dialog proposes file_name's name in it.
    QString start_folder;

    Kind kind() const { return kind_; }

    // True when the user chose a file; file_name then holds its full path.
    bool execute();

    // The filter in the form Qt's dialogs take: "Description (*.ext);;...".
    QString qt_filter() const;

private:
    Kind kind_;
};

namespace platform {
using FileDialogSeam = Seam<bool(FileDialog&)>;
FileDialogSeam& file_dialog_seam();
}

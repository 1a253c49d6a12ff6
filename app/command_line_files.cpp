#include "app/command_line_files.h"
#include "app/parentform.h"
#include "platform/guard.h"
#include "platform/message_box.h"
#include <QDir>

void open_command_line_files(TMainForm& main_form, const QStringList& paths)
{
    for (const QString& path : paths) {
        run_guarded([&] {
            // The open dialog hands over absolute paths; the same form keeps
            // "already open" and the file history true to the file.
            const QString name = QDir::cleanPath(QDir::current().absoluteFilePath(path));
            main_form.OpenDialog1.FileName = name;
            main_form.open_with_dialog = 0;
            if (main_form.choose_file()) {
                main_form.open_chosen_file();
                return;
            }
            // Open's dialog offers only files that exist; a name typed or
            // left in a launcher may not, and the user asked for it.
            if (main_form.file_missing == 1)
                message_box(QStringLiteral("The file %1 does not exist.").arg(QDir::toNativeSeparators(name)),
                            MessageKind::Error, MessageButtons::Ok);
        });
    }
}

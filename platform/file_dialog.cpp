#include "platform/file_dialog.h"
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace {

bool run_real_dialog(FileDialog& d)
{
    QFileDialog dialog(QApplication::activeWindow(), d.title);
    dialog.setNameFilter(d.qt_filter());
    dialog.setDefaultSuffix(d.default_suffix);
    const QFileInfo info(d.file_name);
    if (!d.start_folder.isEmpty()) {
        dialog.setDirectory(d.start_folder);
        if (d.kind() == FileDialog::Kind::Save && !d.file_name.isEmpty()) dialog.selectFile(info.fileName());
    } else if (!d.file_name.isEmpty()) {
        dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    if (d.kind() == FileDialog::Kind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The save flow asks about overwriting itself.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        // A typed name of a missing file is the caller's to handle.
        dialog.setFileMode(QFileDialog::AnyFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    d.file_name = dialog.selectedFiles().constFirst();
    return true;
}

} // namespace

bool FileDialog::execute()
{
    return platform::file_dialog_seam()(*this);
}

QString FileDialog::qt_filter() const
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << (description.contains(QLatin1Char('('))
                        ? description
                        : description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

namespace platform {
FileDialogSeam& file_dialog_seam()
{
    static FileDialogSeam seam(run_real_dialog);
    return seam;
}
}

#include "veride/library_ui.h"
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace veride {

MessageSeam& message_seam()
{
    static MessageSeam seam([](QWidget* parent, const QString& text) {
        QMessageBox::critical(parent, QStringLiteral("Dioramix"), text);
    });
    return seam;
}

SavePathSeam& save_path_seam()
{
    static SavePathSeam seam([](QWidget* parent, const QString& caption, const QString& proposed,
                                const QString& filter) {
        return QFileDialog::getSaveFileName(parent, caption, proposed, filter);
    });
    return seam;
}

OpenPathSeam& open_path_seam()
{
    static OpenPathSeam seam([](QWidget* parent, const QString& caption, const QString& folder,
                                const QString& filter) {
        return QFileDialog::getOpenFileName(parent, caption, folder, filter);
    });
    return seam;
}

ModalSeam& modal_seam()
{
    static ModalSeam seam([](QDialog& dialog) { return dialog.exec(); });
    return seam;
}

} // namespace veride

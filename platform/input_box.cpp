#include "platform/input_box.h"
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

bool show_real_input_box(const QString& caption, const QString& prompt, QString& text)
{
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(caption);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(prompt, &dialog));
    auto* edit = new QLineEdit(text, &dialog);
    edit->setMaxLength(255);
    edit->selectAll();
    layout->addWidget(edit);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* ok = buttons->addButton(QCoreApplication::translate("InputBox", "OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QCoreApplication::translate("InputBox", "Cancel"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted) return false;
    text = edit->text();
    return true;
}

} // namespace

namespace platform {
InputBoxSeam& input_box_seam()
{
    static InputBoxSeam seam(show_real_input_box);
    return seam;
}
}

bool input_box(const QString& caption, const QString& prompt, QString& text)
{
    return platform::input_box_seam()(caption, prompt, text);
}

#include "platform/message_box.h"
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

MessageResult show_real_box(const QString& text, MessageKind kind, MessageButtons buttons)
{
    QMessageBox box(QApplication::activeWindow());
    switch (kind) {
    case MessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        box.setWindowTitle(QCoreApplication::translate("MessageBox", "Error"));
        break;
    case MessageKind::Information:
        box.setIcon(QMessageBox::Information);
        box.setWindowTitle(QCoreApplication::translate("MessageBox", "Information"));
        break;
    case MessageKind::Plain:
        box.setIcon(QMessageBox::NoIcon);
        box.setWindowTitle(QString::fromLatin1(platform::application_title));
        break;
    }
    box.setText(text);

    QAbstractButton* ok = nullptr;
    QAbstractButton* yes = nullptr;
    QAbstractButton* no = nullptr;
    QAbstractButton* cancel = nullptr;
    if (buttons == MessageButtons::Ok) {
        ok = box.addButton(QCoreApplication::translate("MessageBox", "OK"), QMessageBox::AcceptRole);
        box.setEscapeButton(ok);
    } else {
        yes = box.addButton(QCoreApplication::translate("MessageBox", "&Yes"), QMessageBox::YesRole);
        no = box.addButton(QCoreApplication::translate("MessageBox", "&No"), QMessageBox::NoRole);
        if (buttons == MessageButtons::YesNoCancel) {
            cancel = box.addButton(QCoreApplication::translate("MessageBox", "Cancel"), QMessageBox::RejectRole);
            box.setEscapeButton(cancel);
        } else {
            box.setEscapeButton(no);
        }
        box.setDefaultButton(static_cast<QPushButton*>(yes));
    }
    box.exec();

    QAbstractButton* clicked = box.clickedButton();
    if (clicked == yes && yes) return MessageResult::Yes;
    if (clicked == no && no) return MessageResult::No;
    if (clicked == ok && ok) return MessageResult::Ok;
    // Closed by its close box: the escape answer.
    if (buttons == MessageButtons::Ok) return MessageResult::Ok;
    return buttons == MessageButtons::YesNo ? MessageResult::No : MessageResult::Cancel;
}

} // namespace

namespace platform {
MessageBoxSeam& message_box_seam()
{
    static MessageBoxSeam seam(show_real_box);
    return seam;
}
}

MessageResult message_box(const QString& text, MessageKind kind, MessageButtons buttons)
{
    return platform::message_box_seam()(text, kind, buttons);
}

#include "dialogs/cancellable_dialog.h"
#include "platform/guard.h"
#include "platform/modal.h"
#include <QPushButton>

CancellableDialog::CancellableDialog(const QString& caption, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(caption);
    ok_button = new QPushButton(tr("Ok"), this);
    cancel_button = new QPushButton(tr("Cancel"), this);
    ok_button->resize(80, 25);
    cancel_button->resize(80, 25);
    ok_button->setDefault(true);
    connect(ok_button, &QPushButton::clicked, this, [this] { run_guarded([this] { on_ok_clicked(); }); });
    connect(cancel_button, &QPushButton::clicked, this, [this] { run_guarded([this] { on_cancel_clicked(); }); });
}

void CancellableDialog::on_ok_clicked()
{
    cancelled = 0;
    accept();
}

void CancellableDialog::on_cancel_clicked()
{
    reject();
}

void CancellableDialog::reject()
{
    cancelled = 1;
    QDialog::reject();
}

void CancellableDialog::fit_to_cancel(int margin)
{
    setFixedSize(cancel_button->x() + cancel_button->width() + margin,
                 cancel_button->y() + cancel_button->height() + margin);
}

void CancellableDialog::run_modal()
{
    // A showing that ends without either button counts as Cancel.
    cancelled = 1;
    show_modal(*this);
}

#include "dialogs/cancellable_dialog.h"
#include "platform/guard.h"
#include "platform/modal.h"
#include <QPushButton>

CancellableDialog::CancellableDialog(const QString& caption, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(caption);
    Button1 = new QPushButton(QStringLiteral("Ok"), this);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button1->resize(80, 25);
    Button2->resize(80, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] { run_guarded([this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { run_guarded([this] { Button2Click(); }); });
}

void CancellableDialog::Button1Click()
{
    cancelled = 0;
    accept();
}

void CancellableDialog::Button2Click()
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
    setFixedSize(Button2->x() + Button2->width() + margin, Button2->y() + Button2->height() + margin);
}

void CancellableDialog::run_modal()
{
    // A showing that ends without either button counts as Cancel.
    cancelled = 1;
    show_modal(*this);
}

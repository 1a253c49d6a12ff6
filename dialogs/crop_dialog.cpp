#include "dialogs/crop_dialog.h"
#include "dialogs/focus_exit.h"
#include "dialogs/number_text.h"
#include "platform/guard.h"
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <limits>

CropDialog* crop_dialog = nullptr;

CropDialog::CropDialog(QWidget* parent)
    : CancellableDialog(QStringLiteral("Crop"), parent)
{
    setObjectName(QStringLiteral("crop_dialog"));
    auto row = [this](const QString& caption, int y, SpinButton*& spin) {
        auto* l = new QLabel(caption, this);
        l->setGeometry(16, y + 2, 90, 20);
        auto* box = new QLineEdit(this);
        box->setGeometry(110, y, 70, 24);
        spin = new SpinButton(this);
        spin->setGeometry(182, y + 1, 16, 22);
        connect(spin->up, &QToolButton::clicked, this, [this, box] { run_guarded([&] { SpinButtonClick(box, 1); }); });
        connect(spin->down, &QToolButton::clicked, this,
                [this, box] { run_guarded([&] { SpinButtonClick(box, -1); }); });
        new FocusExit(box, [this, box] { EditExit(box); });
        return box;
    };
    Edit1 = row(QStringLiteral("Crop left:"), 16, SpinButton1);
    Edit2 = row(QStringLiteral("Crop right:"), 48, SpinButton2);
    Edit3 = row(QStringLiteral("Crop top:"), 80, SpinButton3);
    Edit4 = row(QStringLiteral("Crop bottom:"), 112, SpinButton4);
    Button1->move(16, 152);
    Button2->move(106, 152);
    fit_to_cancel(24);
}

void CropDialog::ShowModal()
{
    FormShow();
    run_modal();
}

void CropDialog::FormShow()
{
    for (QLineEdit* box : {Edit1, Edit2, Edit3, Edit4}) box->setText(QStringLiteral("0"));
}

void CropDialog::EditExit(QLineEdit* box)
{
    box->setText(QString::number(integer_or_zero(box->text())));
}

void CropDialog::SpinButtonClick(QLineEdit* box, int step)
{
    const long long value = static_cast<long long>(integer_or_zero(box->text())) + step;
    // At the ends of the integer range the box stays where it is.
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) return;
    box->setText(QString::number(value));
}

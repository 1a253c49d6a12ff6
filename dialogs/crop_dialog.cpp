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
    : CancellableDialog(tr("Crop"), parent)
{
    setObjectName(QStringLiteral("crop_dialog"));
    auto row = [this](const QString& caption, int y, SpinButton*& spin) {
        auto* l = new QLabel(caption, this);
        l->setGeometry(16, y + 2, 90, 20);
        auto* box = new QLineEdit(this);
        box->setGeometry(110, y, 70, 24);
        spin = new SpinButton(this);
        spin->setGeometry(182, y + 1, 16, 22);
        connect(spin->up, &QToolButton::clicked, this, [this, box] { run_guarded([&] { step_box(box, 1); }); });
        connect(spin->down, &QToolButton::clicked, this,
                [this, box] { run_guarded([&] { step_box(box, -1); }); });
        new FocusExit(box, [this, box] { tidy_box(box); });
        return box;
    };
    left_box = row(tr("Crop left:"), 16, left_spin);
    right_box = row(tr("Crop right:"), 48, right_spin);
    top_box = row(tr("Crop top:"), 80, top_spin);
    bottom_box = row(tr("Crop bottom:"), 112, bottom_spin);
    ok_button->move(16, 152);
    cancel_button->move(106, 152);
    fit_to_cancel(24);
}

void CropDialog::execute()
{
    reset_controls();
    run_modal();
}

void CropDialog::reset_controls()
{
    for (QLineEdit* box : {left_box, right_box, top_box, bottom_box}) box->setText(QStringLiteral("0"));
}

void CropDialog::tidy_box(QLineEdit* box)
{
    box->setText(QString::number(integer_or_zero(box->text())));
}

void CropDialog::step_box(QLineEdit* box, int step)
{
    const long long value = static_cast<long long>(integer_or_zero(box->text())) + step;
    // At the ends of the integer range the box stays where it is.
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) return;
    box->setText(QString::number(value));
}

#include "dialogs/rotate_dialog.h"
#include "platform/guard.h"
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <cmath>
#include <numbers>

RotateDialog* rotate_dialog = nullptr;

Rotation rotation_for(int angle, bool counterclockwise, bool mirror_x, bool mirror_y)
{
    int v = angle;
    if (counterclockwise) v = 360 - v;
    if (v >= 360) v -= 360;
    Rotation r;
    switch (v) {
    case 0: r.cos = 1; r.sin = 0; break;
    case 90: r.cos = 0; r.sin = 1; break;
    case 180: r.cos = -1; r.sin = 0; break;
    case 270: r.cos = 0; r.sin = -1; break;
    default:
        r.cos = std::cos(v * std::numbers::pi / 180);
        r.sin = std::sin(v * std::numbers::pi / 180);
        break;
    }
    r.mirror_x = mirror_x ? -1 : 1;
    r.mirror_y = mirror_y ? -1 : 1;
    return r;
}

RotateDialog::RotateDialog(QWidget* parent)
    : CancellableDialog(QStringLiteral("Rotate"), parent)
{
    setObjectName(QStringLiteral("rotate_dialog"));
    auto* group = new QGroupBox(QStringLiteral("Rotation angle"), this);
    group->setGeometry(16, 12, 190, 116);
    SpinEdit1 = new QSpinBox(group);
    SpinEdit1->setRange(0, 359);
    SpinEdit1->setGeometry(16, 28, 80, 24);
    RadioButton1 = new QRadioButton(QStringLiteral("Clockwize"), group);
    RadioButton1->setGeometry(16, 60, 160, 20);
    RadioButton2 = new QRadioButton(QStringLiteral("Counterclockwize"), group);
    RadioButton2->setGeometry(16, 84, 160, 20);
    CheckBox1 = new QCheckBox(QStringLiteral("Horizontal mirror"), this);
    CheckBox1->setToolTip(QStringLiteral("Check to skew object horizontally"));
    CheckBox1->setGeometry(16, 140, 190, 20);
    CheckBox2 = new QCheckBox(QStringLiteral("Vertical mirror"), this);
    CheckBox2->setToolTip(QStringLiteral("Check to skew object vertically"));
    CheckBox2->setGeometry(16, 164, 190, 20);

    // The dial: each button sits at its angle around the centre.
    const int cx = 290;
    const int cy = 80;
    auto dial = [&](const char* name, const char* caption, const char* hint, int degrees) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setText(QString::fromLatin1(caption));
        b->setToolTip(QString::fromLatin1(hint));
        b->setStatusTip(b->toolTip());
        const double a = degrees * std::numbers::pi / 180;
        b->setGeometry(cx + static_cast<int>(std::lround(60 * std::cos(a))) - 18,
                       cy - static_cast<int>(std::lround(60 * std::sin(a))) - 11, 36, 22);
        connect(b, &QToolButton::clicked, this, [this, b] { run_guarded([&] { SetFixedAngle(b); }); });
        return b;
    };
    r0 = dial("r0", "0", "Press to zero rotation angle", 0);
    r45 = dial("r45", "+45", "Press to rotate 45 degrees counterclockwize", 45);
    r90 = dial("r90", "+90", "Press to rotate 90 degrees counterclockwize", 90);
    r135 = dial("r135", "+135", "Press to rotate 135 degrees counterclockwize", 135);
    r180 = dial("r180", "180", "Press to rotate 180 degrees", 180);
    r225 = dial("r225", "-135", "Press to rotate 135 degrees clockwize", 225);
    r270 = dial("r270", "-90", "Press to rotate 90 degrees clockwize", 270);
    r315 = dial("r315", "-45", "Press to rotate 45 degrees clockwize", 315);

    Button1->move(200, 168);
    Button2->move(286, 168);
}

void RotateDialog::ShowModal()
{
    FormShow();
    run_modal();
}

void RotateDialog::FormShow()
{
    SpinEdit1->setValue(0);
    CheckBox1->setChecked(false);
    CheckBox2->setChecked(false);
    RadioButton2->setChecked(true);
    fit_to_cancel(24);
}

void RotateDialog::SetFixedAngle(QToolButton* sender)
{
    SpinEdit1->setValue(sender->objectName().remove(QLatin1Char('r')).toInt());
}

void RotateDialog::Button1Click()
{
    rotation = rotation_for(SpinEdit1->value(), RadioButton2->isChecked(), CheckBox1->isChecked(),
                          CheckBox2->isChecked());
    CancellableDialog::Button1Click();
}

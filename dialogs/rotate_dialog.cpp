#include "dialogs/rotate_dialog.h"
#include "platform/guard.h"
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <array>
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
    : CancellableDialog(tr("Rotate"), parent)
{
    setObjectName(QStringLiteral("rotate_dialog"));
    auto* group = new QGroupBox(tr("Rotation angle"), this);
    group->setGeometry(16, 12, 190, 116);
    angle_box = new QSpinBox(group);
    angle_box->setRange(0, 359);
    angle_box->setGeometry(16, 28, 80, 24);
    clockwise_radio = new QRadioButton(tr("Clockwize"), group);
    clockwise_radio->setGeometry(16, 60, 160, 20);
    counterclockwise_radio = new QRadioButton(tr("Counterclockwize"), group);
    counterclockwise_radio->setGeometry(16, 84, 160, 20);
    horizontal_mirror_check = new QCheckBox(tr("Horizontal mirror"), this);
    horizontal_mirror_check->setToolTip(tr("Check to skew object horizontally"));
    horizontal_mirror_check->setGeometry(16, 140, 190, 20);
    vertical_mirror_check = new QCheckBox(tr("Vertical mirror"), this);
    vertical_mirror_check->setToolTip(tr("Check to skew object vertically"));
    vertical_mirror_check->setGeometry(16, 164, 190, 20);

    // The dial: each button sits at its angle around the centre and sets
    // that angle, counted counter-clockwise.
    struct DialButton {
        int degrees;
        const char* caption;
        const char* hint;
    };
    static constexpr std::array<DialButton, 8> dial{{
        {0, "0", QT_TRANSLATE_NOOP("RotateDialog", "Press to zero rotation angle")},
        {45, "+45", QT_TRANSLATE_NOOP("RotateDialog", "Press to rotate 45 degrees counterclockwize")},
        {90, "+90", QT_TRANSLATE_NOOP("RotateDialog", "Press to rotate 90 degrees counterclockwize")},
        {135, "+135", QT_TRANSLATE_NOOP("RotateDialog", "Press to rotate 135 degrees counterclockwize")},
        {180, "180", QT_TRANSLATE_NOOP("RotateDialog", "Press to rotate 180 degrees")},
        {225, "-135", QT_TRANSLATE_NOOP("RotateDialog", "Press to rotate 135 degrees clockwize")},
        {270, "-90", QT_TRANSLATE_NOOP("RotateDialog", "Press to rotate 90 degrees clockwize")},
        {315, "-45", QT_TRANSLATE_NOOP("RotateDialog", "Press to rotate 45 degrees clockwize")},
    }};
    const int cx = 290;
    const int cy = 80;
    for (std::size_t k = 0; k < dial.size(); ++k) {
        const DialButton& d = dial[k];
        auto* b = new QToolButton(this);
        b->setText(QString::fromLatin1(d.caption));
        b->setToolTip(tr(d.hint));
        b->setStatusTip(b->toolTip());
        const double a = d.degrees * std::numbers::pi / 180;
        b->setGeometry(cx + static_cast<int>(std::lround(60 * std::cos(a))) - 18,
                       cy - static_cast<int>(std::lround(60 * std::sin(a))) - 11, 36, 22);
        const int degrees = d.degrees;
        connect(b, &QToolButton::clicked, this, [this, degrees] { run_guarded([&] { set_angle(degrees); }); });
        angle_buttons[k] = b;
    }

    ok_button->move(200, 168);
    cancel_button->move(286, 168);
}

void RotateDialog::execute()
{
    reset_controls();
    run_modal();
}

void RotateDialog::reset_controls()
{
    angle_box->setValue(0);
    horizontal_mirror_check->setChecked(false);
    vertical_mirror_check->setChecked(false);
    counterclockwise_radio->setChecked(true);
    fit_to_cancel(24);
}

QToolButton* RotateDialog::angle_button(int degrees) const
{
    const int k = degrees / 45;
    return degrees % 45 == 0 && k >= 0 && k < int(angle_buttons.size()) ? angle_buttons[k] : nullptr;
}

void RotateDialog::set_angle(int degrees)
{
    angle_box->setValue(degrees);
}

void RotateDialog::on_ok_clicked()
{
    rotation = rotation_for(angle_box->value(), counterclockwise_radio->isChecked(),
                            horizontal_mirror_check->isChecked(), vertical_mirror_check->isChecked());
    CancellableDialog::on_ok_clicked();
}

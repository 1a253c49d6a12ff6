#pragma once
// "Rotate": an angle and direction, or one of eight fixed angles, and the
// two mirrors; handed over as mirror factors and the cosine and sine of the
// clockwise angle.
#include "dialogs/cancellable_dialog.h"
#include <cstdint>

class QCheckBox;
class QRadioButton;
class QSpinBox;
class QToolButton;

struct Rotation {
    std::int32_t mirror_x = 1; // -1 mirrors left to right
    std::int32_t mirror_y = 1; // -1 mirrors top to bottom
    double cos = 1;
    double sin = 0;
};

// `angle` 0..359 in the chosen direction; quarter turns are exact.
Rotation rotation_for(int angle, bool counterclockwise, bool mirror_x, bool mirror_y);

class RotateDialog : public CancellableDialog {
    Q_OBJECT
public:
    explicit RotateDialog(QWidget* parent = nullptr);

    QSpinBox* SpinEdit1;
    QRadioButton* RadioButton1; // "Clockwize"
    QRadioButton* RadioButton2; // "Counterclockwize"
    QCheckBox* CheckBox1;       // "Horizontal mirror"
    QCheckBox* CheckBox2;       // "Vertical mirror"
    QToolButton* r0;
    QToolButton* r45;
    QToolButton* r90;
    QToolButton* r135;
    QToolButton* r180;
    QToolButton* r225;
    QToolButton* r270;
    QToolButton* r315;

    Rotation rotation; // valid after OK

    void ShowModal();
    void FormShow();
    void SetFixedAngle(QToolButton* sender);
    void Button1Click() override;
};

extern RotateDialog* rotate_dialog;

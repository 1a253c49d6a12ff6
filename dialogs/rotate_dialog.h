#pragma once
// "Rotate": an angle and direction, or one of eight fixed angles, and the
// two mirrors; handed over as mirror factors and the cosine and sine of the
// clockwise angle.
#include "dialogs/cancellable_dialog.h"
#include <array>
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

    QSpinBox* angle_box;
    QRadioButton* clockwise_radio;
    QRadioButton* counterclockwise_radio;
    QCheckBox* horizontal_mirror_check;
    QCheckBox* vertical_mirror_check;
    // The dial's fixed angles, 0 to 315 in steps of 45.
    std::array<QToolButton*, 8> angle_buttons{};

    Rotation rotation; // valid after OK

    void execute();
    void reset_controls();
    // The dial button of an angle, or nothing.
    QToolButton* angle_button(int degrees) const;
    void set_angle(int degrees);
    void on_ok_clicked() override;
};

extern RotateDialog* rotate_dialog;

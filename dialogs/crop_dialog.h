#pragma once
// "Crop": how many pixels to cut from each side of an object. The boxes
// hold any integer; the crop itself judges the amounts.
#include "dialogs/cancellable_dialog.h"
#include "dialogs/spin_button.h"

class QLineEdit;

class CropDialog : public CancellableDialog {
    Q_OBJECT
public:
    explicit CropDialog(QWidget* parent = nullptr);

    QLineEdit* left_box;
    QLineEdit* right_box;
    QLineEdit* top_box;
    QLineEdit* bottom_box;
    SpinButton* left_spin; // each bound to the box beside it
    SpinButton* right_spin;
    SpinButton* top_spin;
    SpinButton* bottom_spin;

    void execute();
    void reset_controls();
    // Leaving a box shows its integer value.
    void tidy_box(QLineEdit* box);
    // The bound box one up (+1) or down (-1).
    void step_box(QLineEdit* box, int step);
};

extern CropDialog* crop_dialog;

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

    QLineEdit* Edit1; // left
    QLineEdit* Edit2; // right
    QLineEdit* Edit3; // top
    QLineEdit* Edit4; // bottom
    SpinButton* SpinButton1; // each bound to the box beside it
    SpinButton* SpinButton2;
    SpinButton* SpinButton3;
    SpinButton* SpinButton4;

    void ShowModal();
    void FormShow();
    // Leaving a box shows its integer value.
    void EditExit(QLineEdit* box);
    // The bound box one up (+1) or down (-1).
    void SpinButtonClick(QLineEdit* box, int step);
};

extern CropDialog* crop_dialog;

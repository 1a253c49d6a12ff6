#pragma once
// "Resize": a new width and height in pixels or in percent of the starting
// size. Unless "Allow distorsion" is checked, the height follows the width
// in proportion and the width the height.
#include "dialogs/cancellable_dialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

// A size as a box shows it: pixels, or whole percent of `start` (rounded).
int shown_dimension(int value, int start, bool percent);
// A typed number as a size: pixels, or percent of `start` (rounded).
int typed_dimension(int typed, int start, bool percent);
// The other dimension in proportion, truncated.
int proportional_dimension(int value, int start, int other_start);

class ResizeDialog : public CancellableDialog {
    Q_OBJECT
public:
    explicit ResizeDialog(QWidget* parent = nullptr);

    QLineEdit* width_box;
    QLineEdit* height_box;
    QComboBox* width_units_combo; // "Pixels", "Percent"
    QComboBox* height_units_combo;
    QCheckBox* distortion_check; // "Allow distorsion"

    int start_width = 0;
    int start_height = 0;
    int new_width = 0;
    int new_height = 0;

    // Starts from the object's size.
    void execute(int width, int height);
    void reset_controls();
    void take_width();
    void take_height();
    void on_width_units_changed();
    void on_height_units_changed();
    void on_ok_clicked() override;

private:
    void show_width();
    void show_height();
};

extern ResizeDialog* resize_dialog;

#pragma once
// "Move": the new left and top of an object, typed or aligned to a corner
// or the centre of the drawing panel.
#include "dialogs/cancellable_dialog.h"
#include <QPoint>
#include <QSize>

class QSpinBox;
class QToolButton;

enum class Alignment { LeftTop, RightTop, LeftBottom, RightBottom, Center };

// Where an object of size `object` goes to sit at `alignment` in `area`.
QPoint aligned_position(Alignment alignment, QSize object, QSize area);

class MoveDialog : public CancellableDialog {
    Q_OBJECT
public:
    explicit MoveDialog(QWidget* parent = nullptr);

    QSpinBox* x_box;
    QSpinBox* y_box;
    QToolButton* left_top_button;
    QToolButton* right_top_button;
    QToolButton* left_bottom_button;
    QToolButton* right_bottom_button;
    QToolButton* center_button;

    QSize object_size; // the object being moved
    QSize area_size;   // the panel it is aligned in

    // Starts at the object's position; the alignment buttons use the sizes.
    void execute(QPoint position, QSize object, QSize area);
    void align(Alignment alignment);
};

extern MoveDialog* move_dialog;

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

    QSpinBox* sex;
    QSpinBox* sey;
    QToolButton* sb_ul;
    QToolButton* sb_ur;
    QToolButton* sb_bl;
    QToolButton* sb_br;
    QToolButton* sb_c;

    QSize object_size; // the object being moved
    QSize area_size;   // the panel it is aligned in

    // Starts at the object's position; the alignment buttons use the sizes.
    void ShowModal(QPoint position, QSize object, QSize area);
    void align(Alignment alignment);
};

extern MoveDialog* move_dialog;

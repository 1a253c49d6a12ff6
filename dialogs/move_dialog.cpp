#include "dialogs/move_dialog.h"
#include "platform/guard.h"
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <limits>

MoveDialog* move_dialog = nullptr;

QPoint aligned_position(Alignment alignment, QSize object, QSize area)
{
    const int right = area.width() - object.width();
    const int bottom = area.height() - object.height();
    switch (alignment) {
    case Alignment::LeftTop: return {0, 0};
    case Alignment::RightTop: return {right, 0};
    case Alignment::LeftBottom: return {0, bottom};
    case Alignment::RightBottom: return {right, bottom};
    case Alignment::Center: return {right / 2, bottom / 2};
    }
    return {0, 0};
}

MoveDialog::MoveDialog(QWidget* parent)
    : CancellableDialog(tr("Move"), parent)
{
    setObjectName(QStringLiteral("move_dialog"));
    auto* group = new QGroupBox(tr("Position of left-top corner"), this);
    group->setGeometry(16, 12, 200, 96);
    auto spin = [group](const QString& caption, int y) {
        auto* l = new QLabel(caption, group);
        l->setGeometry(16, y + 2, 20, 20);
        auto* s = new QSpinBox(group);
        s->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        s->setGeometry(44, y, 140, 24);
        return s;
    };
    x_box = spin(tr("X"), 28);
    y_box = spin(tr("Y"), 60);

    // A small picture of a panel with a button at each corner and the centre.
    auto* picture = new QFrame(this);
    picture->setFrameShape(QFrame::Box);
    picture->setGeometry(236, 20, 120, 88);
    auto button = [this, picture](const char* name, const char* hint, int x, int y, Alignment alignment,
                                  QChar arrow) {
        auto* b = new QToolButton(picture);
        b->setText(arrow);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(tr(hint));
        b->setStatusTip(b->toolTip());
        b->setGeometry(x, y, 22, 22);
        connect(b, &QToolButton::clicked, this, [this, alignment] { run_guarded([&] { align(alignment); }); });
        return b;
    };
    left_top_button = button("left_top_button",
                             QT_TRANSLATE_NOOP("MoveDialog",
                                               "Press to allign object to the left-top corner of the drawing panel"),
                             4, 4, Alignment::LeftTop, QChar(0x2196));
    right_top_button = button("right_top_button",
                              QT_TRANSLATE_NOOP("MoveDialog",
                                                "Press to allign object to the right-top corner of the drawing panel"),
                              94, 4, Alignment::RightTop, QChar(0x2197));
    left_bottom_button = button(
        "left_bottom_button",
        QT_TRANSLATE_NOOP("MoveDialog", "Press to allign object to the left-bottom corner of the drawing panel"), 4, 62,
        Alignment::LeftBottom, QChar(0x2199));
    right_bottom_button = button(
        "right_bottom_button",
        QT_TRANSLATE_NOOP("MoveDialog", "Press to allign object to the right-bottom corner of the drawing panel"), 94,
        62, Alignment::RightBottom, QChar(0x2198));
    center_button = button("center_button",
                           QT_TRANSLATE_NOOP("MoveDialog", "Press to allign object to the center of the drawing panel"),
                           49, 33, Alignment::Center, QChar(0x2022));

    ok_button->move(190, 124);
    cancel_button->move(276, 124);
}

void MoveDialog::execute(QPoint position, QSize object, QSize area)
{
    object_size = object;
    area_size = area;
    x_box->setValue(position.x());
    y_box->setValue(position.y());
    fit_to_cancel(24);
    run_modal();
}

void MoveDialog::align(Alignment alignment)
{
    const QPoint at = aligned_position(alignment, object_size, area_size);
    x_box->setValue(at.x());
    y_box->setValue(at.y());
}

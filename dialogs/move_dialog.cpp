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
    : CancellableDialog(QStringLiteral("Move"), parent)
{
    setObjectName(QStringLiteral("move_dialog"));
    auto* group = new QGroupBox(QStringLiteral("Position of left-top corner"), this);
    group->setGeometry(16, 12, 200, 96);
    auto spin = [group](const QString& caption, int y) {
        auto* l = new QLabel(caption, group);
        l->setGeometry(16, y + 2, 20, 20);
        auto* s = new QSpinBox(group);
        s->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        s->setGeometry(44, y, 140, 24);
        return s;
    };
    sex = spin(QStringLiteral("X"), 28);
    sey = spin(QStringLiteral("Y"), 60);

    // A small picture of a panel with a button at each corner and the centre.
    auto* picture = new QFrame(this);
    picture->setFrameShape(QFrame::Box);
    picture->setGeometry(236, 20, 120, 88);
    auto button = [this, picture](const char* name, const char* hint, int x, int y, Alignment alignment,
                                  QChar arrow) {
        auto* b = new QToolButton(picture);
        b->setText(arrow);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(QString::fromLatin1(hint));
        b->setStatusTip(b->toolTip());
        b->setGeometry(x, y, 22, 22);
        connect(b, &QToolButton::clicked, this, [this, alignment] { run_guarded([&] { align(alignment); }); });
        return b;
    };
    sb_ul = button("sb_ul", "Press to allign object to the left-top corner of the drawing panel", 4, 4,
                   Alignment::LeftTop, QChar(0x2196));
    sb_ur = button("sb_ur", "Press to allign object to the right-top corner of the drawing panel", 94, 4,
                   Alignment::RightTop, QChar(0x2197));
    sb_bl = button("sb_bl", "Press to allign object to the left-bottom corner of the drawing panel", 4, 62,
                   Alignment::LeftBottom, QChar(0x2199));
    sb_br = button("sb_br", "Press to allign object to the right-bottom corner of the drawing panel", 94, 62,
                   Alignment::RightBottom, QChar(0x2198));
    sb_c = button("sb_c", "Press to allign object to the center of the drawing panel", 49, 33, Alignment::Center,
                  QChar(0x2022));

    Button1->move(190, 124);
    Button2->move(276, 124);
}

void MoveDialog::ShowModal(QPoint position, QSize object, QSize area)
{
    object_size = object;
    area_size = area;
    sex->setValue(position.x());
    sey->setValue(position.y());
    fit_to_cancel(24);
    run_modal();
}

void MoveDialog::align(Alignment alignment)
{
    const QPoint at = aligned_position(alignment, object_size, area_size);
    sex->setValue(at.x());
    sey->setValue(at.y());
}

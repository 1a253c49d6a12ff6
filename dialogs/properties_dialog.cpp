#include "dialogs/properties_dialog.h"
#include "core/shape.h"
#include "platform/modal.h"
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

PropertiesDialog* properties_dialog = nullptr;

namespace {

QLabel* label(QWidget* parent, const QString& text, int x, int y)
{
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

int right_end(const QWidget* w)
{
    return w->x() + w->width();
}

int bottom_end(const QWidget* w)
{
    return w->y() + w->height();
}

void show_text(QLabel* l, const QString& text)
{
    l->setText(text);
    l->adjustSize();
}

} // namespace

QString size_text(int width, int height)
{
    return QStringLiteral("(width , height) = (%1 , %2)").arg(width).arg(height);
}

QString corner_text(int x, int y, int z)
{
    return QStringLiteral("(x , y , z) = (%1 , %2 , %3)").arg(x).arg(y).arg(z);
}

QString range_text(int low, int high)
{
    return QStringLiteral("(min , max) = (%1 , %2)").arg(low).arg(high);
}

PropertiesDialog::PropertiesDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Object Properties"));
    setObjectName(QStringLiteral("properties_dialog"));
    Label1 = label(this, QStringLiteral("Object name:"), 16, 16);
    Label4 = label(this, QString(), 120, 16);
    Label3 = label(this, QStringLiteral("Dimensions:"), 16, 40);
    Label6 = label(this, QString(), 120, 40);

    GroupBox1 = new QGroupBox(QStringLiteral("Coordinates of corners"), this);
    GroupBox1->setGeometry(16, 72, 300, 132);
    Label7 = label(GroupBox1, QStringLiteral("left-top:"), 12, 28);
    Label8 = label(GroupBox1, QStringLiteral("right-top:"), 12, 52);
    Label9 = label(GroupBox1, QStringLiteral("left-bottom:"), 12, 76);
    Label10 = label(GroupBox1, QStringLiteral("right-bottom:"), 12, 100);
    Label11 = label(GroupBox1, QString(), 120, 28);
    Label12 = label(GroupBox1, QString(), 120, 52);
    Label13 = label(GroupBox1, QString(), 120, 76);
    Label14 = label(GroupBox1, QString(), 120, 100);

    GroupBox2 = new QGroupBox(QStringLiteral("Morphology Bitmap Properties"), this);
    GroupBox2->setGeometry(16, 72, 440, 176);
    label(GroupBox2, QStringLiteral("Height Morphology Bitmap:"), 12, 28);
    Edit1 = new QLineEdit(GroupBox2);
    Edit1->setReadOnly(true);
    Edit1->setGeometry(190, 24, 236, 22);
    label(GroupBox2, QStringLiteral("Main Color:"), 12, 60);
    Label15 = label(GroupBox2, QString(), 190, 60);
    label(GroupBox2, QStringLiteral("Main Color Limits:"), 12, 86);
    Label17 = label(GroupBox2, QString(), 190, 86);
    label(GroupBox2, QStringLiteral("Main Color Limit Heights:"), 12, 112);
    Label19 = label(GroupBox2, QString(), 190, 112);
    label(GroupBox2, QStringLiteral("Image Cliping Height:"), 12, 138);
    Label21 = label(GroupBox2, QString(), 190, 138);

    Button1 = new QPushButton(QStringLiteral("Ok"), this);
    Button1->resize(80, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void PropertiesDialog::ShowModal(const Shape& shape)
{
    FormShow(shape);
    show_modal(*this);
}

void PropertiesDialog::FormShow(const Shape& shape)
{
    const Morphology& m = shape.morphology;
    show_text(Label4, shape.Name);
    show_text(Label6, size_text(shape.Width, shape.Height));
    const int right = shape.Left + shape.Width - 1;
    const int bottom = shape.Top + shape.Height - 1;
    if (m.flat_surface == 1) {
        show_text(Label11, corner_text(shape.Left, shape.Top, m.edge_heights[0]));
        show_text(Label12, corner_text(right, shape.Top, m.edge_heights[1]));
        show_text(Label13, corner_text(shape.Left, bottom, m.edge_heights[2]));
        show_text(Label14, corner_text(right, bottom, m.edge_heights[3]));
        layout_flat();
        return;
    }
    Edit1->setText(QString::fromLocal8Bit(m.bitmap_file));
    switch (m.main_color) {
    case 1: show_text(Label15, QStringLiteral("Red")); break;
    case 2: show_text(Label15, QStringLiteral("Green")); break;
    case 3: show_text(Label15, QStringLiteral("Blue")); break;
    default: break;
    }
    show_text(Label17, range_text(m.min_color_value, m.max_color_value));
    show_text(Label19, range_text(m.min_color_height, m.max_color_height));
    show_text(Label21, m.clip_enabled == 1 ? QString::number(m.clip_height) : QStringLiteral("no cliping"));
    layout_bitmap();
}

void PropertiesDialog::layout_flat()
{
    GroupBox2->hide();
    GroupBox1->show();
    Label4->move(right_end(Label1) + 100, Label4->y());
    Label6->move(Label4->x(), Label6->y());

    QLabel* const corners[] = {Label11, Label12, Label13, Label14};
    int widest = 0;
    for (const QLabel* l : corners) widest = std::max(widest, l->width());
    int row_labels = 0;
    for (const QLabel* l : {Label7, Label8, Label9, Label10}) row_labels = std::max(row_labels, right_end(l));
    // Long corner texts widen the group rather than run over the row labels.
    const int right = std::max(right_end(Label6), GroupBox1->x() + row_labels + 8 + widest + 24);

    GroupBox1->resize(right - GroupBox1->x(), GroupBox1->height());
    for (QLabel* l : corners) l->move(GroupBox1->width() - 24 - widest, l->y());
    Button1->move(right - Button1->width(), bottom_end(GroupBox1) + 24);
    setFixedSize(right + 32, bottom_end(Button1) + 32);
}

void PropertiesDialog::layout_bitmap()
{
    GroupBox1->hide();
    GroupBox2->show();
    Button1->move(right_end(GroupBox2) - Button1->width(), bottom_end(GroupBox2) + 24);
    setFixedSize(right_end(Button1) + 32, bottom_end(Button1) + 32);
}

#include "dialogs/properties_dialog.h"
#include "core/shape.h"
#include "platform/modal.h"
#include <QCoreApplication>
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
    return QCoreApplication::translate("PropertiesDialog", "(width , height) = (%1 , %2)").arg(width).arg(height);
}

QString corner_text(int x, int y, int z)
{
    return QCoreApplication::translate("PropertiesDialog", "(x , y , z) = (%1 , %2 , %3)").arg(x).arg(y).arg(z);
}

QString range_text(int low, int high)
{
    return QCoreApplication::translate("PropertiesDialog", "(min , max) = (%1 , %2)").arg(low).arg(high);
}

PropertiesDialog::PropertiesDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Object Properties"));
    setObjectName(QStringLiteral("properties_dialog"));
    name_caption_label = label(this, tr("Object name:"), 16, 16);
    name_label = label(this, QString(), 120, 16);
    dimensions_caption_label = label(this, tr("Dimensions:"), 16, 40);
    dimensions_label = label(this, QString(), 120, 40);

    corners_group = new QGroupBox(tr("Coordinates of corners"), this);
    corners_group->setGeometry(16, 72, 300, 132);
    left_top_caption_label = label(corners_group, tr("left-top:"), 12, 28);
    right_top_caption_label = label(corners_group, tr("right-top:"), 12, 52);
    left_bottom_caption_label = label(corners_group, tr("left-bottom:"), 12, 76);
    right_bottom_caption_label = label(corners_group, tr("right-bottom:"), 12, 100);
    left_top_label = label(corners_group, QString(), 120, 28);
    right_top_label = label(corners_group, QString(), 120, 52);
    left_bottom_label = label(corners_group, QString(), 120, 76);
    right_bottom_label = label(corners_group, QString(), 120, 100);

    bitmap_group = new QGroupBox(tr("Morphology Bitmap Properties"), this);
    bitmap_group->setGeometry(16, 72, 440, 176);
    label(bitmap_group, tr("Height Morphology Bitmap:"), 12, 28);
    bitmap_file_box = new QLineEdit(bitmap_group);
    bitmap_file_box->setReadOnly(true);
    bitmap_file_box->setGeometry(190, 24, 236, 22);
    label(bitmap_group, tr("Main Color:"), 12, 60);
    main_color_label = label(bitmap_group, QString(), 190, 60);
    label(bitmap_group, tr("Main Color Limits:"), 12, 86);
    color_limits_label = label(bitmap_group, QString(), 190, 86);
    label(bitmap_group, tr("Main Color Limit Heights:"), 12, 112);
    limit_heights_label = label(bitmap_group, QString(), 190, 112);
    label(bitmap_group, tr("Image Cliping Height:"), 12, 138);
    clip_height_label = label(bitmap_group, QString(), 190, 138);

    ok_button = new QPushButton(tr("Ok"), this);
    ok_button->resize(80, 25);
    ok_button->setDefault(true);
    connect(ok_button, &QPushButton::clicked, this, &QDialog::accept);
}

void PropertiesDialog::execute(const Shape& shape)
{
    fill_controls(shape);
    show_modal(*this);
}

void PropertiesDialog::fill_controls(const Shape& shape)
{
    const Morphology& m = shape.morphology;
    show_text(name_label, shape.name);
    show_text(dimensions_label, size_text(shape.width, shape.height));
    const int right = shape.left + shape.width - 1;
    const int bottom = shape.top + shape.height - 1;
    if (m.flat_surface == 1) {
        show_text(left_top_label, corner_text(shape.left, shape.top, m.edge_heights[0]));
        show_text(right_top_label, corner_text(right, shape.top, m.edge_heights[1]));
        show_text(left_bottom_label, corner_text(shape.left, bottom, m.edge_heights[2]));
        show_text(right_bottom_label, corner_text(right, bottom, m.edge_heights[3]));
        layout_flat();
        return;
    }
    bitmap_file_box->setText(QString::fromLocal8Bit(m.bitmap_file));
    switch (m.main_color) {
    case 1: show_text(main_color_label, tr("Red")); break;
    case 2: show_text(main_color_label, tr("Green")); break;
    case 3: show_text(main_color_label, tr("Blue")); break;
    default: break;
    }
    show_text(color_limits_label, range_text(m.min_color_value, m.max_color_value));
    show_text(limit_heights_label, range_text(m.min_color_height, m.max_color_height));
    show_text(clip_height_label, m.clip_enabled == 1 ? QString::number(m.clip_height) : tr("no cliping"));
    layout_bitmap();
}

void PropertiesDialog::layout_flat()
{
    bitmap_group->hide();
    corners_group->show();
    name_label->move(right_end(name_caption_label) + 100, name_label->y());
    dimensions_label->move(name_label->x(), dimensions_label->y());

    QLabel* const corners[] = {left_top_label, right_top_label, left_bottom_label, right_bottom_label};
    int widest = 0;
    for (const QLabel* l : corners) widest = std::max(widest, l->width());
    int row_labels = 0;
    for (const QLabel* l :
         {left_top_caption_label, right_top_caption_label, left_bottom_caption_label, right_bottom_caption_label})
        row_labels = std::max(row_labels, right_end(l));
    // Long corner texts widen the group rather than run over the row labels.
    const int right = std::max(right_end(dimensions_label), corners_group->x() + row_labels + 8 + widest + 24);

    corners_group->resize(right - corners_group->x(), corners_group->height());
    for (QLabel* l : corners) l->move(corners_group->width() - 24 - widest, l->y());
    ok_button->move(right - ok_button->width(), bottom_end(corners_group) + 24);
    setFixedSize(right + 32, bottom_end(ok_button) + 32);
}

void PropertiesDialog::layout_bitmap()
{
    corners_group->hide();
    bitmap_group->show();
    ok_button->move(right_end(bitmap_group) - ok_button->width(), bottom_end(bitmap_group) + 24);
    setFixedSize(right_end(ok_button) + 32, bottom_end(ok_button) + 32);
}

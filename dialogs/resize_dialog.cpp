#include "dialogs/resize_dialog.h"
#include "dialogs/focus_exit.h"
#include "dialogs/number_text.h"
#include "platform/guard.h"
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <limits>

ResizeDialog* resize_dialog = nullptr;

namespace {

// Truncation toward zero, kept within the integer range.
int whole_part(double value)
{
    constexpr double low = std::numeric_limits<int>::min();
    constexpr double high = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(value, low, high));
}

} // namespace

int shown_dimension(int value, int start, bool percent)
{
    if (!percent) return value;
    if (start == 0) return 0;
    return whole_part(static_cast<double>(value) / start * 100 + 0.5);
}

int typed_dimension(int typed, int start, bool percent)
{
    if (!percent) return typed;
    return whole_part(static_cast<double>(typed) * start / 100 + 0.5);
}

int proportional_dimension(int value, int start, int other_start)
{
    if (start == 0) return other_start;
    return whole_part(static_cast<double>(value) / start * other_start);
}

ResizeDialog::ResizeDialog(QWidget* parent)
    : CancellableDialog(tr("Resize"), parent)
{
    setObjectName(QStringLiteral("resize_dialog"));
    auto row = [this](const QString& caption, int y, QComboBox*& unit) {
        auto* l = new QLabel(caption, this);
        l->setGeometry(40, y + 2, 50, 20);
        auto* box = new QLineEdit(this);
        box->setGeometry(96, y, 70, 24);
        auto* in = new QLabel(tr("in"), this);
        in->setGeometry(174, y + 2, 16, 20);
        unit = new QComboBox(this);
        unit->addItems({tr("Pixels"), tr("Percent")});
        unit->setGeometry(196, y, 90, 24);
        return box;
    };
    width_box = row(tr("Width"), 40, width_units_combo);
    height_box = row(tr("Height"), 72, height_units_combo);
    distortion_check = new QCheckBox(tr("Allow distorsion"), this);
    distortion_check->setGeometry(40, 108, 200, 20);
    ok_button->move(110, 144);
    cancel_button->move(206, 144);
    fit_to_cancel(40);

    // Only an edited box is taken over: re-reading a shown percentage could
    // move the size by the rounding of the percent.
    new FocusExit(width_box, [this] { if (width_box->isModified()) take_width(); });
    new FocusExit(height_box, [this] { if (height_box->isModified()) take_height(); });
    connect(width_units_combo, &QComboBox::currentIndexChanged, this,
            [this] { run_guarded([this] { on_width_units_changed(); }); });
    connect(height_units_combo, &QComboBox::currentIndexChanged, this,
            [this] { run_guarded([this] { on_height_units_changed(); }); });
}

void ResizeDialog::execute(int width, int height)
{
    start_width = width;
    start_height = height;
    reset_controls();
    run_modal();
}

void ResizeDialog::reset_controls()
{
    new_width = start_width;
    new_height = start_height;
    width_units_combo->setCurrentIndex(0);
    height_units_combo->setCurrentIndex(0);
    show_width();
    show_height();
}

void ResizeDialog::show_width()
{
    width_box->setText(
        QString::number(shown_dimension(new_width, start_width, width_units_combo->currentIndex() == 1)));
}

void ResizeDialog::show_height()
{
    height_box->setText(
        QString::number(shown_dimension(new_height, start_height, height_units_combo->currentIndex() == 1)));
}

void ResizeDialog::take_width()
{
    new_width
        = typed_dimension(integer_or_zero(width_box->text()), start_width, width_units_combo->currentIndex() == 1);
    show_width();
    if (!distortion_check->isChecked()) {
        new_height = proportional_dimension(new_width, start_width, start_height);
        show_height();
    }
}

void ResizeDialog::take_height()
{
    new_height
        = typed_dimension(integer_or_zero(height_box->text()), start_height, height_units_combo->currentIndex() == 1);
    show_height();
    if (!distortion_check->isChecked()) {
        new_width = proportional_dimension(new_height, start_height, start_width);
        show_width();
    }
}

void ResizeDialog::on_width_units_changed()
{
    show_width();
}

void ResizeDialog::on_height_units_changed()
{
    show_height();
}

void ResizeDialog::on_ok_clicked()
{
    // A number typed and confirmed with Enter has not left its box yet.
    if (width_box->isModified()) take_width();
    if (height_box->isModified()) take_height();
    CancellableDialog::on_ok_clicked();
}

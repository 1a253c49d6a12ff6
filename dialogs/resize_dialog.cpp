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
    : CancellableDialog(QStringLiteral("Resize"), parent)
{
    setObjectName(QStringLiteral("resize_dialog"));
    auto row = [this](const QString& caption, int y, QComboBox*& unit) {
        auto* l = new QLabel(caption, this);
        l->setGeometry(40, y + 2, 50, 20);
        auto* box = new QLineEdit(this);
        box->setGeometry(96, y, 70, 24);
        auto* in = new QLabel(QStringLiteral("in"), this);
        in->setGeometry(174, y + 2, 16, 20);
        unit = new QComboBox(this);
        unit->addItems({QStringLiteral("Pixels"), QStringLiteral("Percent")});
        unit->setGeometry(196, y, 90, 24);
        return box;
    };
    Edit1 = row(QStringLiteral("Width"), 40, ComboBox1);
    Edit2 = row(QStringLiteral("Height"), 72, ComboBox2);
    CheckBox1 = new QCheckBox(QStringLiteral("Allow distorsion"), this);
    CheckBox1->setGeometry(40, 108, 200, 20);
    Button1->move(110, 144);
    Button2->move(206, 144);
    fit_to_cancel(40);

    // Only an edited box is taken over: re-reading a shown percentage could
    // move the size by the rounding of the percent.
    new FocusExit(Edit1, [this] { if (Edit1->isModified()) Edit1Exit(); });
    new FocusExit(Edit2, [this] { if (Edit2->isModified()) Edit2Exit(); });
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { run_guarded([this] { ComboBox1Change(); }); });
    connect(ComboBox2, &QComboBox::currentIndexChanged, this, [this] { run_guarded([this] { ComboBox2Change(); }); });
}

void ResizeDialog::ShowModal(int width, int height)
{
    start_width = width;
    start_height = height;
    FormShow();
    run_modal();
}

void ResizeDialog::FormShow()
{
    new_width = start_width;
    new_height = start_height;
    ComboBox1->setCurrentIndex(0);
    ComboBox2->setCurrentIndex(0);
    show_width();
    show_height();
}

void ResizeDialog::show_width()
{
    Edit1->setText(QString::number(shown_dimension(new_width, start_width, ComboBox1->currentIndex() == 1)));
}

void ResizeDialog::show_height()
{
    Edit2->setText(QString::number(shown_dimension(new_height, start_height, ComboBox2->currentIndex() == 1)));
}

void ResizeDialog::Edit1Exit()
{
    new_width = typed_dimension(integer_or_zero(Edit1->text()), start_width, ComboBox1->currentIndex() == 1);
    show_width();
    if (!CheckBox1->isChecked()) {
        new_height = proportional_dimension(new_width, start_width, start_height);
        show_height();
    }
}

void ResizeDialog::Edit2Exit()
{
    new_height = typed_dimension(integer_or_zero(Edit2->text()), start_height, ComboBox2->currentIndex() == 1);
    show_height();
    if (!CheckBox1->isChecked()) {
        new_width = proportional_dimension(new_height, start_height, start_width);
        show_width();
    }
}

void ResizeDialog::ComboBox1Change()
{
    show_width();
}

void ResizeDialog::ComboBox2Change()
{
    show_height();
}

void ResizeDialog::Button1Click()
{
    // A number typed and confirmed with Enter has not left its box yet.
    if (Edit1->isModified()) Edit1Exit();
    if (Edit2->isModified()) Edit2Exit();
    CancellableDialog::Button1Click();
}

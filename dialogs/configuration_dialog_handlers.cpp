// The configuration dialog's handlers: each accepted change is stored in
// the Configuration record and the registry at once.
#include "core/configuration.h"
#include "core/raster.h"
#include "core/settings_table.h"
#include "core/shape.h"
#include "dialogs/configuration_dialog.h"
#include "dialogs/configuration_recolor.h"
#include "dialogs/configuration_values.h"
#include "dialogs/spin_button.h"
#include "platform/color_dialog.h"
#include "platform/errors.h"
#include "platform/guard.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/printer.h"
#include "platform/registry.h"
#include "platform/screen.h"
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>

namespace {

using C = ConfigurationRecord;

// Sets a control without running its handler; the caller runs it once.
template <typename Control, typename Set>
void set_quietly(Control* control, Set set)
{
    const QSignalBlocker blocker(control);
    set(control);
}

void set_sample(QFrame* sample, TColor color)
{
    QPalette colours = sample->palette();
    colours.setColor(QPalette::Window, to_qcolor(color));
    sample->setPalette(colours);
}

// A background or object colour equal to the other, or to the black of the
// edges, would merge the objects' pixels for good.
bool colors_usable(TColor background, TColor object)
{
    return background != object && background != clBlack && object != clBlack;
}

} // namespace

// ---- Showing and closing -------------------------------------------------

void ConfigurationDialog::execute()
{
    run_guarded([this] { FormShow(); });
    show_modal(*this);
    run_guarded([this] { FormClose(); });
}

RegistryKey& ConfigurationDialog::key()
{
    if (!key_) key_ = std::make_unique<RegistryKey>(QString::fromLatin1(configuration_key_path), false);
    return *key_;
}

template <typename Field, typename Value>
void ConfigurationDialog::store(Field field, Value value)
{
    store_setting(key(), Configuration, field, value);
}

void ConfigurationDialog::FormShow()
{
    key_.reset();
    key();
    const ConfigurationRecord& c = Configuration;
    set_quietly(ComboBox1, [&](QComboBox* box) { box->setCurrentIndex(c.monitor_type >= 0 && c.monitor_type < 5 ? c.monitor_type : -1); });
    set_quietly(SpinEdit1, [&](QSpinBox* box) { box->setValue(c.monitor_width); });
    SpinEdit1Change();
    set_quietly(SpinEdit2, [&](QSpinBox* box) { box->setValue(c.monitor_height); });
    SpinEdit2Change();
    if (c.standardmonitor_flag) {
        set_quietly(RadioButton1, [](QRadioButton* button) { button->setChecked(true); });
        RadioButton1Click();
    } else {
        set_quietly(RadioButton2, [](QRadioButton* button) { button->setChecked(true); });
        RadioButton2Click();
    }
    Edit1->setText(shortest_decimal(c.focus_angle));
    Edit1->setModified(false);
    set_quietly(Edit2, [&](QLineEdit* box) { box->setText(QString::number(c.max_height)); });
    Edit2Change();
    set_quietly(Edit3, [&](QLineEdit* box) { box->setText(QString::number(c.min_height)); });
    Edit3Change();
    if (c.setfocuscone_flag) {
        set_quietly(RadioButton3, [](QRadioButton* button) { button->setChecked(true); });
        RadioButton3Click();
    } else {
        set_quietly(RadioButton4, [](QRadioButton* button) { button->setChecked(true); });
        RadioButton4Click();
    }
    set_quietly(CheckBox1, [&](QCheckBox* box) { box->setChecked(c.donotusearray_flag != 0); });
    CheckBox1Click();
    show_colors();
    set_quietly(Edit4, [&](QLineEdit* box) { box->setText(QString::number(c.eye_distance)); });
    Edit4Change();
    set_quietly(Edit5, [&](QLineEdit* box) { box->setText(QString::number(c.level_distance)); });
    Edit5Change();
    set_quietly(Edit6, [&](QLineEdit* box) { box->setText(QString::number(c.heightarray_limit)); });
    Edit6Change();
    set_quietly(SpinEdit3, [&](QSpinBox* box) { box->setValue(c.filehistory); });
    SpinEdit3Change();
    set_quietly(SpinEdit4, [&](QSpinBox* box) { box->setValue(c.undohistory); });
    SpinEdit4Change();
    set_quietly(Edit11, [&](QLineEdit* box) { box->setText(QString::number(c.rendercolor_range)); });
    Edit11Change();
    set_quietly(Edit12, [&](QLineEdit* box) { box->setText(QString::number(c.rendercolor_base)); });
    Edit12Change();
    if (PageControl1->currentWidget() == PrinterSheet) fill_printer_page();
}

void ConfigurationDialog::FormClose()
{
    const auto close_key = qScopeGuard([this] { key_.reset(); });
    // An angle typed just before closing has not left its box yet.
    if (Edit1->isModified() && Configuration.setfocuscone_flag) apply_angle();
}

// ---- Monitor -------------------------------------------------------------

void ConfigurationDialog::set_monitor_mode_enabled(bool standard)
{
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(ComboBox1)}) w->setEnabled(standard);
    for (QWidget* w : {static_cast<QWidget*>(Label2), static_cast<QWidget*>(Label3), static_cast<QWidget*>(Label4),
                       static_cast<QWidget*>(Label5), static_cast<QWidget*>(SpinEdit1), static_cast<QWidget*>(SpinEdit2)})
        w->setEnabled(!standard);
}

void ConfigurationDialog::set_monitor_size(int type)
{
    const MonitorSize size = standard_monitor_size(type);
    set_quietly(SpinEdit1, [&](QSpinBox* box) { box->setValue(size.width); });
    SpinEdit1Change();
    set_quietly(SpinEdit2, [&](QSpinBox* box) { box->setValue(size.height); });
    SpinEdit2Change();
}

void ConfigurationDialog::RadioButton1Click()
{
    store(&C::standardmonitor_flag, true);
    set_monitor_mode_enabled(true);
    if (ComboBox1->currentIndex() < 0) {
        ComboBox1->setCurrentIndex(0);
        store(&C::monitor_type, 0);
    }
    set_monitor_size(ComboBox1->currentIndex());
}

void ConfigurationDialog::RadioButton2Click()
{
    store(&C::standardmonitor_flag, false);
    set_monitor_mode_enabled(false);
}

void ConfigurationDialog::ComboBox1Change()
{
    store(&C::monitor_type, ComboBox1->currentIndex());
    set_monitor_size(ComboBox1->currentIndex());
}

void ConfigurationDialog::SpinEdit1Change()
{
    store(&C::monitor_width, SpinEdit1->value());
}

void ConfigurationDialog::SpinEdit2Change()
{
    store(&C::monitor_height, SpinEdit2->value());
}

void ConfigurationDialog::Button1Click()
{
    const ScreenMetrics screen = screen_metrics();
    set_quietly(SpinEdit1, [&](QSpinBox* box) { box->setValue(screen_millimetres(screen.width_px, screen.dpi_x)); });
    SpinEdit1Change();
    set_quietly(SpinEdit2, [&](QSpinBox* box) { box->setValue(screen_millimetres(screen.height_px, screen.dpi_y)); });
    SpinEdit2Change();
    set_quietly(RadioButton2, [](QRadioButton* button) { button->setChecked(true); });
    RadioButton2Click();
}

// ---- Printer -------------------------------------------------------------

void ConfigurationDialog::fill_printer_page()
{
    Printers& list = printers();
    set_quietly(ComboBox2, [&](QComboBox* box) {
        box->clear();
        box->addItems(list.names());
        box->setCurrentIndex(list.current_index());
    });
    if (ComboBox3->currentIndex() < 0) ComboBox3->setCurrentIndex(0);
    refresh_printer();
}

void ConfigurationDialog::ComboBox2Change()
{
    printers().set_current_index(ComboBox2->currentIndex());
    refresh_printer();
}

void ConfigurationDialog::Button5Click()
{
    printers().setup();
    refresh_printer();
}

void ConfigurationDialog::refresh_printer()
{
    const PrinterCapabilities c = printers().capabilities();
    physical_width = c.physical_width;
    physical_height = c.physical_height;
    printable_width = c.printable_width;
    printable_height = c.printable_height;
    printer_dpi_x = c.dpi_x;
    printer_dpi_y = c.dpi_y;
    refresh_page_data();
    refresh_preview();
}

void ConfigurationDialog::ComboBox3Change()
{
    refresh_page_data();
}

void ConfigurationDialog::refresh_page_data()
{
    const bool mm = ComboBox3->currentIndex() != 1;
    Edit7->setText(page_length_text(physical_width, printer_dpi_x, mm));
    Edit8->setText(page_length_text(physical_height, printer_dpi_y, mm));
    Edit9->setText(page_length_text(printable_width, printer_dpi_x, mm));
    Edit10->setText(page_length_text(printable_height, printer_dpi_y, mm));
}

void ConfigurationDialog::refresh_preview()
{
    const std::optional<PagePreview> preview =
        page_preview(backshape->geometry(), physical_width, physical_height, printable_width, printable_height);
    pageshape->setVisible(preview.has_value());
    actshape->setVisible(preview.has_value());
    if (!preview) return;
    pageshape->setGeometry(preview->page);
    actshape->setGeometry(preview->printable);
    pageshape->raise();
    actshape->raise();
}

// ---- Focusing ------------------------------------------------------------

void ConfigurationDialog::set_focus_mode_enabled(bool cone)
{
    Edit1->setEnabled(cone);
    SpinButton1->setEnabled(cone);
    Label6->setEnabled(cone);
    Edit2->setEnabled(!cone);
    Edit3->setEnabled(!cone);
}

void ConfigurationDialog::RadioButton3Click()
{
    store(&C::setfocuscone_flag, true);
    set_focus_mode_enabled(true);
    apply_angle();
}

void ConfigurationDialog::RadioButton4Click()
{
    store(&C::setfocuscone_flag, false);
    set_focus_mode_enabled(false);
}

// Reads the angle box; text that is no number shows the stored angle again
// before the conversion error is reported.
double ConfigurationDialog::angle_in_box()
{
    try {
        return text_to_real(Edit1->text());
    } catch (const DioramixError&) {
        Edit1->setText(shortest_decimal(Configuration.focus_angle));
        Edit1->setModified(false);
        throw;
    }
}

void ConfigurationDialog::apply_angle()
{
    double angle = angle_in_box();
    const std::optional<double> largest = largest_focus_angle(Configuration.eye_distance, Configuration.level_distance);
    if (!focus_angle_allowed(angle, largest)) angle = Configuration.focus_angle;
    Edit1->setText(shortest_decimal(angle));
    Edit1->setModified(false);
    store(&C::focus_angle, angle);
    recompute_limits();
}

void ConfigurationDialog::SpinButton1UpClick()
{
    Edit1->setText(shortest_decimal(angle_in_box() + 0.1));
    apply_angle();
}

void ConfigurationDialog::SpinButton1DownClick()
{
    Edit1->setText(shortest_decimal(angle_in_box() - 0.1));
    apply_angle();
}

void ConfigurationDialog::recompute_limits()
{
    const HeightLimits limits = height_limits(Configuration.eye_distance, Configuration.level_distance,
                                              tangent_of_degrees(Configuration.focus_angle));
    set_quietly(Edit2, [&](QLineEdit* box) { box->setText(QString::number(limits.max_height)); });
    Edit2Change();
    set_quietly(Edit3, [&](QLineEdit* box) { box->setText(QString::number(limits.min_height)); });
    Edit3Change();
}

void ConfigurationDialog::integer_box_changed(QLineEdit* box, std::int32_t ConfigurationRecord::* field)
{
    const QString text = box->text();
    // A minus sign alone is a negative number being typed: wait for its digits.
    if (text == QLatin1String("-")) return;
    const std::int32_t value = integer_box_value(text, Configuration.*field);
    const QString shown = QString::number(value);
    if (text != shown) set_quietly(box, [&](QLineEdit* b) { b->setText(shown); });
    store(field, value);
}

void ConfigurationDialog::Edit2Change()
{
    integer_box_changed(Edit2, &C::max_height);
    refresh_estimate();
}

void ConfigurationDialog::Edit3Change()
{
    integer_box_changed(Edit3, &C::min_height);
    refresh_estimate();
}

void ConfigurationDialog::refresh_estimate()
{
    Label12->setText(height_array_estimate(Configuration.max_height, Configuration.min_height));
}

void ConfigurationDialog::CheckBox1Click()
{
    store(&C::donotusearray_flag, CheckBox1->isChecked());
}

void ConfigurationDialog::Button2Click()
{
    Edit1->setText(shortest_decimal(fixed_default(&C::focus_angle)));
    set_quietly(RadioButton3, [](QRadioButton* button) { button->setChecked(true); });
    RadioButton3Click();
}

// ---- Drawing panel -------------------------------------------------------

void ConfigurationDialog::show_colors()
{
    set_sample(Panel1, Configuration.background_color);
    set_sample(Panel2, Configuration.object_color);
}

void ConfigurationDialog::change_colors(TColor background, TColor object)
{
    const TColor old_background = Configuration.background_color;
    const TColor old_object = Configuration.object_color;
    if (!colors_usable(background, object)) {
        message_box(QStringLiteral("The background and object colors must differ from each other and from black."),
                    MessageKind::Error, MessageButtons::Ok);
        return;
    }
    {
        // The drawings follow whatever was stored, also when the second
        // colour could not be.
        const auto follow = qScopeGuard([&] {
            if (Configuration.background_color != old_background || Configuration.object_color != old_object)
                emit colors_changed(old_background, old_object);
        });
        if (background != old_background) store(&C::background_color, background);
        if (object != old_object) store(&C::object_color, object);
    }
    show_colors();
}

void ConfigurationDialog::Button3Click()
{
    TColor color = Configuration.background_color;
    if (!choose_color(color)) return;
    change_colors(color, Configuration.object_color);
}

void ConfigurationDialog::Button4Click()
{
    TColor color = Configuration.object_color;
    if (!choose_color(color)) return;
    change_colors(Configuration.background_color, color);
}

void ConfigurationDialog::Button6Click()
{
    change_colors(fixed_default(&C::background_color), fixed_default(&C::object_color));
}

// ---- Optic settings ------------------------------------------------------

void ConfigurationDialog::Edit4Change()
{
    integer_box_changed(Edit4, &C::eye_distance);
    if (Configuration.setfocuscone_flag) recompute_limits();
}

void ConfigurationDialog::Edit5Change()
{
    integer_box_changed(Edit5, &C::level_distance);
    if (Configuration.setfocuscone_flag) recompute_limits();
}

void ConfigurationDialog::Edit6Change()
{
    integer_box_changed(Edit6, &C::heightarray_limit);
}

void ConfigurationDialog::Button7Click()
{
    Edit4->setText(QString::number(fixed_default(&C::eye_distance)));
    Edit5->setText(QString::number(fixed_default(&C::level_distance)));
    Edit6->setText(QString::number(fixed_default(&C::heightarray_limit)));
}

// ---- General settings ----------------------------------------------------

void ConfigurationDialog::SpinEdit3Change()
{
    store(&C::filehistory, SpinEdit3->value());
}

void ConfigurationDialog::SpinEdit4Change()
{
    store(&C::undohistory, SpinEdit4->value());
}

void ConfigurationDialog::Edit11Change()
{
    bool ok = false;
    const int value = Edit11->text().trimmed().toInt(&ok, 10);
    store(&C::rendercolor_range, ok ? value : 0);
}

void ConfigurationDialog::Edit12Change()
{
    bool ok = false;
    const int value = Edit12->text().trimmed().toInt(&ok, 10);
    store(&C::rendercolor_base, ok ? value : 0);
}

void ConfigurationDialog::Button8Click()
{
    SpinEdit3->setValue(fixed_default(&C::filehistory));
    SpinEdit4->setValue(fixed_default(&C::undohistory));
    Edit11->setText(QString::number(fixed_default(&C::rendercolor_range)));
    Edit12->setText(QString::number(fixed_default(&C::rendercolor_base)));
}

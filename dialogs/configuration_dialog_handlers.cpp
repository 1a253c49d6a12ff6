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

void set_sample(QFrame* sample, StoredColor color)
{
    QPalette colours = sample->palette();
    colours.setColor(QPalette::Window, to_qcolor(color));
    sample->setPalette(colours);
}

// A background or object colour equal to the other, or to the black of the
// edges, would merge the objects' pixels for good.
bool colors_usable(StoredColor background, StoredColor object)
{
    return background != object && background != color_black && object != color_black;
}

} // namespace

// ---- Showing and closing -------------------------------------------------

void ConfigurationDialog::execute()
{
    run_guarded([this] { fill_controls(); });
    show_modal(*this);
    run_guarded([this] { finish_editing(); });
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

void ConfigurationDialog::fill_controls()
{
    key_.reset();
    key();
    const ConfigurationRecord& c = Configuration;
    set_quietly(monitor_type_combo, [&](QComboBox* box) {
        box->setCurrentIndex(c.monitor_type >= 0 && c.monitor_type < 5 ? c.monitor_type : -1);
    });
    set_quietly(monitor_width_box, [&](QSpinBox* box) { box->setValue(c.monitor_width); });
    on_monitor_width_changed();
    set_quietly(monitor_height_box, [&](QSpinBox* box) { box->setValue(c.monitor_height); });
    on_monitor_height_changed();
    if (c.standardmonitor_flag) {
        set_quietly(standard_monitor_radio, [](QRadioButton* button) { button->setChecked(true); });
        on_standard_monitor_clicked();
    } else {
        set_quietly(custom_monitor_radio, [](QRadioButton* button) { button->setChecked(true); });
        on_custom_monitor_clicked();
    }
    focus_angle_box->setText(shortest_decimal(c.focus_angle));
    focus_angle_box->setModified(false);
    set_quietly(max_height_box, [&](QLineEdit* box) { box->setText(QString::number(c.max_height)); });
    on_max_height_edited();
    set_quietly(min_height_box, [&](QLineEdit* box) { box->setText(QString::number(c.min_height)); });
    on_min_height_edited();
    if (c.setfocuscone_flag) {
        set_quietly(focus_cone_radio, [](QRadioButton* button) { button->setChecked(true); });
        on_focus_cone_clicked();
    } else {
        set_quietly(manual_limits_radio, [](QRadioButton* button) { button->setChecked(true); });
        on_manual_limits_clicked();
    }
    set_quietly(no_height_array_check, [&](QCheckBox* box) { box->setChecked(c.donotusearray_flag != 0); });
    on_no_height_array_toggled();
    show_colors();
    set_quietly(eye_distance_box, [&](QLineEdit* box) { box->setText(QString::number(c.eye_distance)); });
    on_eye_distance_edited();
    set_quietly(level_distance_box, [&](QLineEdit* box) { box->setText(QString::number(c.level_distance)); });
    on_level_distance_edited();
    set_quietly(height_array_limit_box, [&](QLineEdit* box) { box->setText(QString::number(c.heightarray_limit)); });
    on_height_array_limit_edited();
    set_quietly(file_history_box, [&](QSpinBox* box) { box->setValue(c.filehistory); });
    on_file_history_changed();
    set_quietly(undo_depth_box, [&](QSpinBox* box) { box->setValue(c.undohistory); });
    on_undo_depth_changed();
    set_quietly(render_color_range_box, [&](QLineEdit* box) { box->setText(QString::number(c.rendercolor_range)); });
    on_render_color_range_edited();
    set_quietly(render_color_base_box, [&](QLineEdit* box) { box->setText(QString::number(c.rendercolor_base)); });
    on_render_color_base_edited();
    if (pages->currentWidget() == printer_page) fill_printer_page();
}

void ConfigurationDialog::finish_editing()
{
    const auto close_key = qScopeGuard([this] { key_.reset(); });
    // An angle typed just before closing has not left its box yet.
    if (focus_angle_box->isModified() && Configuration.setfocuscone_flag) apply_angle();
}

// ---- Monitor -------------------------------------------------------------

void ConfigurationDialog::set_monitor_mode_enabled(bool standard)
{
    for (QWidget* w : {static_cast<QWidget*>(monitor_type_label), static_cast<QWidget*>(monitor_type_combo)})
        w->setEnabled(standard);
    for (QWidget* w :
         {static_cast<QWidget*>(monitor_width_label), static_cast<QWidget*>(monitor_height_label),
          static_cast<QWidget*>(monitor_width_unit_label), static_cast<QWidget*>(monitor_height_unit_label),
          static_cast<QWidget*>(monitor_width_box), static_cast<QWidget*>(monitor_height_box)})
        w->setEnabled(!standard);
}

void ConfigurationDialog::set_monitor_size(int type)
{
    const MonitorSize size = standard_monitor_size(type);
    set_quietly(monitor_width_box, [&](QSpinBox* box) { box->setValue(size.width); });
    on_monitor_width_changed();
    set_quietly(monitor_height_box, [&](QSpinBox* box) { box->setValue(size.height); });
    on_monitor_height_changed();
}

void ConfigurationDialog::on_standard_monitor_clicked()
{
    store(&C::standardmonitor_flag, true);
    set_monitor_mode_enabled(true);
    if (monitor_type_combo->currentIndex() < 0) {
        monitor_type_combo->setCurrentIndex(0);
        store(&C::monitor_type, 0);
    }
    set_monitor_size(monitor_type_combo->currentIndex());
}

void ConfigurationDialog::on_custom_monitor_clicked()
{
    store(&C::standardmonitor_flag, false);
    set_monitor_mode_enabled(false);
}

void ConfigurationDialog::on_monitor_type_changed()
{
    store(&C::monitor_type, monitor_type_combo->currentIndex());
    set_monitor_size(monitor_type_combo->currentIndex());
}

void ConfigurationDialog::on_monitor_width_changed()
{
    store(&C::monitor_width, monitor_width_box->value());
}

void ConfigurationDialog::on_monitor_height_changed()
{
    store(&C::monitor_height, monitor_height_box->value());
}

void ConfigurationDialog::use_computer_settings()
{
    const ScreenMetrics screen = screen_metrics();
    set_quietly(monitor_width_box,
                [&](QSpinBox* box) { box->setValue(screen_millimetres(screen.width_px, screen.dpi_x)); });
    on_monitor_width_changed();
    set_quietly(monitor_height_box,
                [&](QSpinBox* box) { box->setValue(screen_millimetres(screen.height_px, screen.dpi_y)); });
    on_monitor_height_changed();
    set_quietly(custom_monitor_radio, [](QRadioButton* button) { button->setChecked(true); });
    on_custom_monitor_clicked();
}

// ---- Printer -------------------------------------------------------------

void ConfigurationDialog::fill_printer_page()
{
    Printers& list = printers();
    set_quietly(printer_combo, [&](QComboBox* box) {
        box->clear();
        box->addItems(list.names());
        box->setCurrentIndex(list.current_index());
    });
    if (printer_units_combo->currentIndex() < 0) printer_units_combo->setCurrentIndex(0);
    refresh_printer();
}

void ConfigurationDialog::on_printer_changed()
{
    printers().set_current_index(printer_combo->currentIndex());
    refresh_printer();
}

void ConfigurationDialog::setup_printer()
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

void ConfigurationDialog::on_printer_units_changed()
{
    refresh_page_data();
}

void ConfigurationDialog::refresh_page_data()
{
    const bool mm = printer_units_combo->currentIndex() != 1;
    page_width_box->setText(page_length_text(physical_width, printer_dpi_x, mm));
    page_height_box->setText(page_length_text(physical_height, printer_dpi_y, mm));
    printable_width_box->setText(page_length_text(printable_width, printer_dpi_x, mm));
    printable_height_box->setText(page_length_text(printable_height, printer_dpi_y, mm));
}

void ConfigurationDialog::refresh_preview()
{
    const std::optional<PagePreview> preview =
        page_preview(paper_frame->geometry(), physical_width, physical_height, printable_width, printable_height);
    page_frame->setVisible(preview.has_value());
    printable_area_frame->setVisible(preview.has_value());
    if (!preview) return;
    page_frame->setGeometry(preview->page);
    printable_area_frame->setGeometry(preview->printable);
    page_frame->raise();
    printable_area_frame->raise();
}

// ---- Focusing ------------------------------------------------------------

void ConfigurationDialog::set_focus_mode_enabled(bool cone)
{
    focus_angle_box->setEnabled(cone);
    focus_angle_spin->setEnabled(cone);
    degrees_label->setEnabled(cone);
    max_height_box->setEnabled(!cone);
    min_height_box->setEnabled(!cone);
}

void ConfigurationDialog::on_focus_cone_clicked()
{
    store(&C::setfocuscone_flag, true);
    set_focus_mode_enabled(true);
    apply_angle();
}

void ConfigurationDialog::on_manual_limits_clicked()
{
    store(&C::setfocuscone_flag, false);
    set_focus_mode_enabled(false);
}

// Reads the angle box; text that is no number shows the stored angle again
// before the conversion error is reported.
double ConfigurationDialog::angle_in_box()
{
    try {
        return text_to_real(focus_angle_box->text());
    } catch (const DioramixError&) {
        focus_angle_box->setText(shortest_decimal(Configuration.focus_angle));
        focus_angle_box->setModified(false);
        throw;
    }
}

void ConfigurationDialog::apply_angle()
{
    double angle = angle_in_box();
    const std::optional<double> largest = largest_focus_angle(Configuration.eye_distance, Configuration.level_distance);
    if (!focus_angle_allowed(angle, largest)) angle = Configuration.focus_angle;
    focus_angle_box->setText(shortest_decimal(angle));
    focus_angle_box->setModified(false);
    store(&C::focus_angle, angle);
    recompute_limits();
}

void ConfigurationDialog::on_angle_up_clicked()
{
    focus_angle_box->setText(shortest_decimal(angle_in_box() + 0.1));
    apply_angle();
}

void ConfigurationDialog::on_angle_down_clicked()
{
    focus_angle_box->setText(shortest_decimal(angle_in_box() - 0.1));
    apply_angle();
}

void ConfigurationDialog::recompute_limits()
{
    const HeightLimits limits = height_limits(Configuration.eye_distance, Configuration.level_distance,
                                              tangent_of_degrees(Configuration.focus_angle));
    set_quietly(max_height_box, [&](QLineEdit* box) { box->setText(QString::number(limits.max_height)); });
    on_max_height_edited();
    set_quietly(min_height_box, [&](QLineEdit* box) { box->setText(QString::number(limits.min_height)); });
    on_min_height_edited();
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

void ConfigurationDialog::on_max_height_edited()
{
    integer_box_changed(max_height_box, &C::max_height);
    refresh_estimate();
}

void ConfigurationDialog::on_min_height_edited()
{
    integer_box_changed(min_height_box, &C::min_height);
    refresh_estimate();
}

void ConfigurationDialog::refresh_estimate()
{
    memory_estimate_label->setText(height_array_estimate(Configuration.max_height, Configuration.min_height));
}

void ConfigurationDialog::on_no_height_array_toggled()
{
    store(&C::donotusearray_flag, no_height_array_check->isChecked());
}

void ConfigurationDialog::restore_focusing_defaults()
{
    focus_angle_box->setText(shortest_decimal(fixed_default(&C::focus_angle)));
    set_quietly(focus_cone_radio, [](QRadioButton* button) { button->setChecked(true); });
    on_focus_cone_clicked();
}

// ---- Drawing panel -------------------------------------------------------

void ConfigurationDialog::show_colors()
{
    set_sample(background_sample, Configuration.background_color);
    set_sample(object_sample, Configuration.object_color);
}

void ConfigurationDialog::change_colors(StoredColor background, StoredColor object)
{
    const StoredColor old_background = Configuration.background_color;
    const StoredColor old_object = Configuration.object_color;
    if (!colors_usable(background, object)) {
        message_box(tr("The background and object colors must differ from each other and from black."),
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

void ConfigurationDialog::choose_background_color()
{
    StoredColor color = Configuration.background_color;
    if (!choose_color(color)) return;
    change_colors(color, Configuration.object_color);
}

void ConfigurationDialog::choose_object_color()
{
    StoredColor color = Configuration.object_color;
    if (!choose_color(color)) return;
    change_colors(Configuration.background_color, color);
}

void ConfigurationDialog::restore_default_colors()
{
    change_colors(fixed_default(&C::background_color), fixed_default(&C::object_color));
}

// ---- Optic settings ------------------------------------------------------

void ConfigurationDialog::on_eye_distance_edited()
{
    integer_box_changed(eye_distance_box, &C::eye_distance);
    if (Configuration.setfocuscone_flag) recompute_limits();
}

void ConfigurationDialog::on_level_distance_edited()
{
    integer_box_changed(level_distance_box, &C::level_distance);
    if (Configuration.setfocuscone_flag) recompute_limits();
}

void ConfigurationDialog::on_height_array_limit_edited()
{
    integer_box_changed(height_array_limit_box, &C::heightarray_limit);
}

void ConfigurationDialog::restore_optic_defaults()
{
    eye_distance_box->setText(QString::number(fixed_default(&C::eye_distance)));
    level_distance_box->setText(QString::number(fixed_default(&C::level_distance)));
    height_array_limit_box->setText(QString::number(fixed_default(&C::heightarray_limit)));
}

// ---- General settings ----------------------------------------------------

void ConfigurationDialog::on_file_history_changed()
{
    store(&C::filehistory, file_history_box->value());
}

void ConfigurationDialog::on_undo_depth_changed()
{
    store(&C::undohistory, undo_depth_box->value());
}

void ConfigurationDialog::on_render_color_range_edited()
{
    bool ok = false;
    const int value = render_color_range_box->text().trimmed().toInt(&ok, 10);
    store(&C::rendercolor_range, ok ? value : 0);
}

void ConfigurationDialog::on_render_color_base_edited()
{
    bool ok = false;
    const int value = render_color_base_box->text().trimmed().toInt(&ok, 10);
    store(&C::rendercolor_base, ok ? value : 0);
}

void ConfigurationDialog::restore_general_defaults()
{
    file_history_box->setValue(fixed_default(&C::filehistory));
    undo_depth_box->setValue(fixed_default(&C::undohistory));
    render_color_range_box->setText(QString::number(fixed_default(&C::rendercolor_range)));
    render_color_base_box->setText(QString::number(fixed_default(&C::rendercolor_base)));
}

#pragma once
// The configuration dialog: six tab pages that edit the Configuration
// record. It has no Ok or Cancel: every accepted change goes at once into
// the record and the registry value of the same name.
#include "core/color.h"
#include <QDialog>
#include <cstdint>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QWidget;
class RegistryKey;
struct ConfigurationRecord;
class SpinButton;
class DrawingWindow;

class ConfigurationDialog : public QDialog {
    Q_OBJECT
public:
    explicit ConfigurationDialog(QWidget* parent = nullptr);
    ~ConfigurationDialog() override;

    QTabWidget* pages = nullptr;
    QWidget* monitor_page = nullptr;
    QWidget* printer_page = nullptr;
    QWidget* focusing_page = nullptr;
    QWidget* panel_page = nullptr;
    QWidget* optic_page = nullptr;
    QWidget* general_page = nullptr;

    // Monitor.
    QRadioButton* standard_monitor_radio = nullptr;
    QRadioButton* custom_monitor_radio = nullptr;
    QLabel* monitor_type_label = nullptr;
    QComboBox* monitor_type_combo = nullptr;
    QLabel* monitor_width_label = nullptr;
    QLabel* monitor_height_label = nullptr;
    QLabel* monitor_width_unit_label = nullptr;
    QLabel* monitor_height_unit_label = nullptr;
    QSpinBox* monitor_width_box = nullptr;
    QSpinBox* monitor_height_box = nullptr;
    QPushButton* computer_settings_button = nullptr;

    // Printer.
    QComboBox* printer_combo = nullptr;
    QPushButton* setup_printer_button = nullptr;
    QComboBox* printer_units_combo = nullptr; // millimeters / pixels
    QLineEdit* page_width_box = nullptr;
    QLineEdit* page_height_box = nullptr;
    QLineEdit* printable_width_box = nullptr;
    QLineEdit* printable_height_box = nullptr;
    // The paper preview: a grey square, the page in it, the printable area
    // dotted on the page.
    QFrame* paper_frame = nullptr;
    QFrame* page_frame = nullptr;
    QFrame* printable_area_frame = nullptr;
    std::int32_t physical_width = 0;
    std::int32_t physical_height = 0;
    std::int32_t printable_width = 0;
    std::int32_t printable_height = 0;
    std::int32_t printer_dpi_x = 0;
    std::int32_t printer_dpi_y = 0;

    // Focusing.
    QRadioButton* focus_cone_radio = nullptr;
    QRadioButton* manual_limits_radio = nullptr;
    QLineEdit* focus_angle_box = nullptr;
    SpinButton* focus_angle_spin = nullptr;
    QLabel* degrees_label = nullptr;
    QLineEdit* max_height_box = nullptr;
    QLineEdit* min_height_box = nullptr;
    QCheckBox* no_height_array_check = nullptr; // "Do Not Use Height Array if Exceeds Limit"
    QLabel* memory_estimate_label = nullptr;
    QPushButton* focusing_defaults_button = nullptr;

    // Drawing panel.
    QFrame* background_sample = nullptr;
    QFrame* object_sample = nullptr;
    QPushButton* background_color_button = nullptr;
    QPushButton* object_color_button = nullptr;
    QPushButton* default_colors_button = nullptr;

    // Optic settings.
    QLineEdit* eye_distance_box = nullptr;
    QLineEdit* level_distance_box = nullptr;
    QLineEdit* height_array_limit_box = nullptr;
    QPushButton* optic_defaults_button = nullptr;

    // General settings.
    QSpinBox* file_history_box = nullptr;
    QSpinBox* undo_depth_box = nullptr;
    QLineEdit* render_color_range_box = nullptr;
    QLineEdit* render_color_base_box = nullptr;
    QPushButton* general_defaults_button = nullptr;

    // Opens the key, fills the controls, shows the dialog modally, then
    // closes the key.
    void execute();
    void fill_controls();
    // Takes an angle still being typed and closes the key.
    void finish_editing();

    // Monitor.
    void on_standard_monitor_clicked();
    void on_custom_monitor_clicked();
    void on_monitor_type_changed();
    void on_monitor_width_changed();
    void on_monitor_height_changed();
    void use_computer_settings();
    // Printer.
    void fill_printer_page();
    void on_printer_changed();
    void on_printer_units_changed();
    void setup_printer();
    // Focusing.
    void on_focus_cone_clicked();
    void on_manual_limits_clicked();
    void apply_angle(); // also when the angle box loses the focus
    void on_angle_up_clicked();
    void on_angle_down_clicked();
    void recompute_limits();
    double angle_in_box();
    void on_max_height_edited();
    void on_min_height_edited();
    void on_no_height_array_toggled();
    void restore_focusing_defaults();
    // Drawing panel.
    void choose_background_color();
    void choose_object_color();
    void restore_default_colors();
    // Optic settings.
    void on_eye_distance_edited();
    void on_level_distance_edited();
    void on_height_array_limit_edited();
    void restore_optic_defaults();
    // General settings.
    void on_file_history_changed();
    void on_undo_depth_changed();
    void on_render_color_range_edited();
    void on_render_color_base_edited();
    void restore_general_defaults();

signals:
    // The drawing colours changed from these to today's: every open drawing
    // must follow, or its background pixels would be taken for object
    // pixels when it is shown, saved, copied or undone.
    void colors_changed(StoredColor old_background, StoredColor old_object);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build_monitor_page();
    void build_printer_page();
    void build_focusing_page();
    void build_panel_page();
    void build_optic_page();
    void build_general_page();
    void connect_handlers();

    RegistryKey& key();
    // Stores a value in the Configuration record and its registry value.
    template <typename Field, typename Value>
    void store(Field field, Value value);

    void set_monitor_size(int type);
    void set_monitor_mode_enabled(bool standard);
    void set_focus_mode_enabled(bool cone);
    void integer_box_changed(QLineEdit* box, std::int32_t ConfigurationRecord::* field);
    void refresh_estimate();
    void refresh_printer();
    void refresh_page_data();
    void refresh_preview();
    void show_colors();
    // Recolours the active drawing's objects and stores the new colours.
    void change_colors(StoredColor background, StoredColor object);

    std::unique_ptr<RegistryKey> key_;
};

extern ConfigurationDialog* configuration_dialog;

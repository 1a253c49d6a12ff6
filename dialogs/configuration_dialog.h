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

    QTabWidget* PageControl1 = nullptr;
    QWidget* MonitorSheet = nullptr;
    QWidget* PrinterSheet = nullptr;
    QWidget* FocusingSheet = nullptr;
    QWidget* PanelSheet = nullptr;
    QWidget* OpticSheet = nullptr;
    QWidget* GeneralSheet = nullptr;

    // Monitor.
    QRadioButton* RadioButton1 = nullptr; // standard size
    QRadioButton* RadioButton2 = nullptr; // custom size
    QLabel* Label1 = nullptr;             // "Select Monitor Type"
    QComboBox* ComboBox1 = nullptr;
    QLabel* Label2 = nullptr; // "Width"
    QLabel* Label3 = nullptr; // "Height"
    QLabel* Label4 = nullptr; // "mm"
    QLabel* Label5 = nullptr; // "mm"
    QSpinBox* SpinEdit1 = nullptr;
    QSpinBox* SpinEdit2 = nullptr;
    QPushButton* Button1 = nullptr; // "Computer Settings"

    // Printer.
    QComboBox* ComboBox2 = nullptr; // printers
    QPushButton* Button5 = nullptr; // "Setup Printer"
    QComboBox* ComboBox3 = nullptr; // millimeters / pixels
    QLineEdit* Edit7 = nullptr;     // page width
    QLineEdit* Edit8 = nullptr;     // page height
    QLineEdit* Edit9 = nullptr;     // printable width
    QLineEdit* Edit10 = nullptr;    // printable height
    QFrame* backshape = nullptr;
    QFrame* pageshape = nullptr;
    QFrame* actshape = nullptr;
    std::int32_t physical_width = 0;
    std::int32_t physical_height = 0;
    std::int32_t printable_width = 0;
    std::int32_t printable_height = 0;
    std::int32_t printer_dpi_x = 0;
    std::int32_t printer_dpi_y = 0;

    // Focusing.
    QRadioButton* RadioButton3 = nullptr; // focus cone
    QRadioButton* RadioButton4 = nullptr; // manual
    QLineEdit* Edit1 = nullptr;           // angle
    SpinButton* SpinButton1 = nullptr;
    QLabel* Label6 = nullptr; // "degrees"
    QLineEdit* Edit2 = nullptr; // max height
    QLineEdit* Edit3 = nullptr; // min height
    QCheckBox* CheckBox1 = nullptr;
    QLabel* Label12 = nullptr; // memory estimate
    QPushButton* Button2 = nullptr; // "Default Settings"

    // Drawing panel.
    QFrame* Panel1 = nullptr; // background sample
    QFrame* Panel2 = nullptr; // object sample
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button6 = nullptr;

    // Optic settings.
    QLineEdit* Edit4 = nullptr; // eye distance
    QLineEdit* Edit5 = nullptr; // level distance
    QLineEdit* Edit6 = nullptr; // height array warning limit
    QPushButton* Button7 = nullptr;

    // General settings.
    QSpinBox* SpinEdit3 = nullptr; // file history
    QSpinBox* SpinEdit4 = nullptr; // undo depth
    QLineEdit* Edit11 = nullptr;   // render colour range
    QLineEdit* Edit12 = nullptr;   // render colour base
    QPushButton* Button8 = nullptr;

    // Opens the key, fills the controls, shows the dialog modally, then
    // closes the key.
    void execute();
    void FormShow();
    void FormClose();

    // Monitor.
    void RadioButton1Click();
    void RadioButton2Click();
    void ComboBox1Change();
    void SpinEdit1Change();
    void SpinEdit2Change();
    void Button1Click();
    // Printer.
    void fill_printer_page();
    void ComboBox2Change();
    void ComboBox3Change();
    void Button5Click();
    // Focusing.
    void RadioButton3Click();
    void RadioButton4Click();
    void apply_angle(); // Edit1Exit
    void SpinButton1UpClick();
    void SpinButton1DownClick();
    void recompute_limits();
    double angle_in_box();
    void Edit2Change();
    void Edit3Change();
    void CheckBox1Click();
    void Button2Click();
    // Drawing panel.
    void Button3Click();
    void Button4Click();
    void Button6Click();
    // Optic settings.
    void Edit4Change();
    void Edit5Change();
    void Edit6Change();
    void Button7Click();
    // General settings.
    void SpinEdit3Change();
    void SpinEdit4Change();
    void Edit11Change();
    void Edit12Change();
    void Button8Click();

signals:
    // The drawing colours changed from these to today's: every open drawing
    // must follow, or its background pixels would be taken for object
    // pixels when it is shown, saved, copied or undone.
    void colors_changed(TColor old_background, TColor old_object);

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
    void change_colors(TColor background, TColor object);

    std::unique_ptr<RegistryKey> key_;
};

extern ConfigurationDialog* configuration_dialog;

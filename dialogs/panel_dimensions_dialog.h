#pragma once
// The panel dimensions dialog: fixes the size of a new drawing's panel in
// pixels and millimetres from a resolution (screen or printer) and a
// dimension source (the main window, the screen, the printer page or typed
// values). On Ok it writes PanelDimensions.
#include "dialogs/panel_units.h"
#include <QDialog>
#include <cstdint>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class PanelDimensionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit PanelDimensionsDialog(QWidget* parent = nullptr);

    double resolution_x = 0;
    double resolution_y = 0;
    std::int32_t working_width = 0;
    std::int32_t working_height = 0;
    // 1 after Cancel or the close box, 0 after Ok; read by the caller.
    std::uint8_t cancelled = 0;
    // The size "current form" stands for: the main window's client area.
    QSize client_area;

    QGroupBox* GroupBox1 = nullptr;
    QRadioButton* RadioButton1 = nullptr; // screen resolution
    QRadioButton* RadioButton2 = nullptr; // printer resolution
    QLineEdit* Edit1 = nullptr;           // the resolution text
    QComboBox* ComboBox1 = nullptr;       // dots per inch / dots per mm
    QGroupBox* GroupBox2 = nullptr;
    QComboBox* ComboBox2 = nullptr; // current form / screen / printer / custom
    QLineEdit* Edit2 = nullptr;     // width
    QLineEdit* Edit3 = nullptr;     // height
    QComboBox* ComboBox3 = nullptr; // millimeters / pixels
    QPushButton* Button1 = nullptr; // Ok
    QPushButton* Button2 = nullptr; // Cancel

    // Resets the dialog for a main window whose client area is
    // `client_area`, shows it modally and returns the cancelled flag.
    std::uint8_t execute(QSize client_area);

    // Resets the controls to screen resolution, dots per inch, the current
    // form and millimetres, and refreshes everything from them.
    void FormShow();

    // Handlers.
    void RadioButton1Click();
    void RadioButton2Click();
    void ComboBox1Change();
    void refresh_dimensions(); // ComboBox2Change, ComboBox3Change
    void EditExit(QLineEdit* box);
    void Button1Click();
    void Button2Click();

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool millimetres() const;
    QString unit_word() const;
    void set_dimension_boxes_writable(bool writable);
};

extern PanelDimensionsDialog* panel_dimensions_dialog;

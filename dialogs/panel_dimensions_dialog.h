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

    QGroupBox* resolution_group = nullptr;
    QRadioButton* screen_resolution_radio = nullptr;
    QRadioButton* printer_resolution_radio = nullptr;
    QLineEdit* resolution_box = nullptr;
    QComboBox* resolution_units_combo = nullptr; // dots per inch / dots per mm
    QGroupBox* dimensions_group = nullptr;
    QComboBox* dimensions_source_combo = nullptr; // current form / screen / printer / custom
    QLineEdit* width_box = nullptr;
    QLineEdit* height_box = nullptr;
    QComboBox* dimension_units_combo = nullptr; // millimeters / pixels
    QPushButton* ok_button = nullptr;
    QPushButton* cancel_button = nullptr;

    // Resets the dialog for a main window whose client area is
    // `client_area`, shows it modally and returns the cancelled flag.
    std::uint8_t execute(QSize client_area);

    // Resets the controls to screen resolution, dots per inch, the current
    // form and millimetres, and refreshes everything from them.
    void reset_controls();

    // Handlers.
    void use_screen_resolution();
    void use_printer_resolution();
    void on_resolution_units_changed();
    void refresh_dimensions(); // on a change of dimension source or unit
    // Takes over the number typed into the width or height box.
    void take_dimension(QLineEdit* box);
    void on_ok_clicked();
    void on_cancel_clicked();

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool millimetres() const;
    QString unit_word() const;
    void set_dimension_boxes_writable(bool writable);
};

extern PanelDimensionsDialog* panel_dimensions_dialog;

#pragma once
// "Window List": every open drawing, for choosing one when the Window menu
// cannot list them all.
#include <QDialog>
#include <cstdint>

class QLabel;
class QListWidget;
class QPushButton;
class QScrollArea;

class WindowListDialog : public QDialog {
    Q_OBJECT
public:
    WindowListDialog();

    QLabel* prompt_label;
    QScrollArea* drawing_scroll_area;
    QListWidget* drawing_list;
    QPushButton* ok_button;
    QPushButton* cancel_button;
    std::uint8_t cancelled = 1;

    void fill_list();
    void on_ok_clicked();

protected:
    void showEvent(QShowEvent* event) override;
};

extern WindowListDialog* window_list_dialog;

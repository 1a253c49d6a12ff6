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

    QLabel* Label1;
    QScrollArea* ScrollBox1;
    QListWidget* ListBox1;
    QPushButton* Button1; // "Ok"
    QPushButton* Button2; // "Cancel"
    std::uint8_t cancelled = 1;

    void FormShow();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
};

extern WindowListDialog* window_list_dialog;

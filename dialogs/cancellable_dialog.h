#pragma once
// The pattern shared by the move, rotate, crop and resize dialogs: "Ok"
// clears the cancelled flag and closes, "Cancel" or any other way of closing
// sets it. The caller acts only when the flag is not 1.
#include <QDialog>
#include <cstdint>

class QPushButton;

class CancellableDialog : public QDialog {
    Q_OBJECT
public:
    explicit CancellableDialog(const QString& caption, QWidget* parent = nullptr);

    std::uint8_t cancelled = 1;
    QPushButton* ok_button;
    QPushButton* cancel_button;

    virtual void on_ok_clicked();
    void on_cancel_clicked();
    void reject() override;

protected:
    // The client area reaches `margin` pixels beyond the Cancel button.
    void fit_to_cancel(int margin);
    // Shows the dialog modally.
    void run_modal();
};

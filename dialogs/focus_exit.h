#pragma once
// Runs a handler when an edit box loses the keyboard focus, the moment at
// which the dialogs take over what was typed into some of their boxes.
#include <QObject>
#include <functional>

class QWidget;

class FocusExit : public QObject {
public:
    FocusExit(QWidget* box, std::function<void()> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> handler_;
};

#pragma once
#include <QApplication>

// The application object: the last-resort net for errors raised while an
// event is being handled, so that the program shows them and goes on.
class DioramixApplication : public QApplication {
public:
    DioramixApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

#pragma once
#include <QApplication>
#include <QLocale>

// The application object: the last-resort net for errors raised while an
// event is being handled, so that the program shows them and goes on.
class DioramixApplication : public QApplication {
public:
    DioramixApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Installs the program's translation for the locale's language on the
// application, and then Qt's own for its standard texts where Qt ships one.
// English, the language of the sources, needs none: false when the program
// has no translation for the locale, and nothing is installed.
bool install_translators(QCoreApplication& application, const QLocale& locale);

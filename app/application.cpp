#include "app/application.h"
#include "platform/guard.h"
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>
#include <exception>

DioramixApplication::DioramixApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Dioramix"));
    setOrganizationName(QStringLiteral("Tessavue"));
    // The program's dialogs name this classic font; the metric-compatible
    // sans font stands in for it.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

bool DioramixApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception&) {
        report_current_exception();
        return false;
    }
}

bool install_translators(QCoreApplication& application, const QLocale& locale)
{
    auto* program = new QTranslator(&application);
    if (!program->load(locale, QStringLiteral("dioramix"), QStringLiteral("_"), QStringLiteral(":/i18n"))) {
        delete program;
        return false;
    }
    application.installTranslator(program);
    // Only beside the program's own, so that a language the program does
    // not speak never shows Qt's buttons in it among English texts.
    auto* qt = new QTranslator(&application);
    const QString qt_folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), qt_folder))
        application.installTranslator(qt);
    else
        delete qt;
    return true;
}

#include "app/application.h"
#include "platform/guard.h"
#include <QFont>
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

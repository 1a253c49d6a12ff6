#include "platform/guard.h"
#include "platform/errors.h"
#include "platform/message_box.h"
#include <QCoreApplication>
#include <exception>
#include <new>

void report_current_exception()
{
    try {
        throw;
    } catch (const DioramixError& e) {
        message_box(e.text(), MessageKind::Error, MessageButtons::Ok);
    } catch (const std::bad_alloc&) {
        message_box(QCoreApplication::translate("Guard", "Out of memory."), MessageKind::Error, MessageButtons::Ok);
    } catch (const std::exception& e) {
        message_box(QString::fromLocal8Bit(e.what()), MessageKind::Error, MessageButtons::Ok);
    }
}

void run_guarded(const std::function<void()>& body)
{
    try {
        body();
    } catch (const std::exception&) {
        report_current_exception();
    }
}

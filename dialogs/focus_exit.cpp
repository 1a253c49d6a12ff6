#include "dialogs/focus_exit.h"
#include "platform/guard.h"
#include <QEvent>
#include <QWidget>

FocusExit::FocusExit(QWidget* box, std::function<void()> handler)
    : QObject(box)
    , handler_(std::move(handler))
{
    box->installEventFilter(this);
}

bool FocusExit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) run_guarded(handler_);
    return QObject::eventFilter(watched, event);
}

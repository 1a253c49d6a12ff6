#pragma once
// A tool bar button that stays down or up only as its command decides:
// clicking runs the action without toggling the button.
#include <QAction>
#include <QToolButton>

class ToolButton : public QToolButton {
public:
    ToolButton(const QString& name, QAction* action, QWidget* parent)
        : QToolButton(parent)
    {
        setObjectName(name);
        setCheckable(true);
        setAutoRaise(true);
        setFocusPolicy(Qt::TabFocus);
        auto sync = [this, action] {
            setEnabled(action->isEnabled());
            setIcon(action->icon());
            setText(action->text());
            setToolTip(action->statusTip());
            setStatusTip(action->statusTip());
        };
        sync();
        connect(action, &QAction::changed, this, sync);
        connect(this, &QToolButton::clicked, action, [action] { action->trigger(); });
    }

protected:
    void nextCheckState() override {}
};

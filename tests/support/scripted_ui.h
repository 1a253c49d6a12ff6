#pragma once
// Replaces every seam that waits for a person with a script, for the life
// of the object: messages are recorded and answered from a queue, file and
// font dialogs answer from queues, the screen is fixed and beeps are counted.
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include <QFont>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QDialog;

struct RecordedMessage {
    QString text;
    MessageKind kind;
    MessageButtons buttons;
};

class ScriptedUi {
public:
    ScriptedUi();
    ~ScriptedUi();
    ScriptedUi(const ScriptedUi&) = delete;
    ScriptedUi& operator=(const ScriptedUi&) = delete;

    QList<RecordedMessage> messages;
    QQueue<MessageResult> message_answers; // empty: Ok, or No for questions

    // File dialogs: a path is chosen, an empty optional cancels.
    QQueue<std::optional<QString>> file_answers;
    QStringList file_dialog_titles;

    QQueue<std::optional<QFont>> font_answers; // empty: cancel
    QQueue<std::optional<QString>> input_answers;

    // Modal dialogs: each showing takes the next function; none: Rejected.
    QQueue<std::function<int(QDialog&)>> modal_answers;

    ScreenMetrics screen{1024, 768, 96, 96};
    int beeps = 0;

    QStringList message_texts() const;
};

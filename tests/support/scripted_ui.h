#pragma once
// Replaces every seam that waits for a person with a script, for the life
// of the object: messages are recorded and answered from a queue, file and
// font dialogs answer from queues, the screen is fixed and beeps are counted.
#include "core/color.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/printer.h"
#include "platform/screen.h"
#include <QFont>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QDialog;

// Installed printers for a test: by default one A4 printer at 600 dpi.
class FakePrinters final : public Printers {
public:
    struct Printer {
        QString name;
        PrinterCapabilities capabilities;
    };
    QList<Printer> installed{{QStringLiteral("Fake Printer"), {600, 600, 4800, 6814, 4961, 7016, 80, 101}}};
    int current = 0;
    int setups = 0;
    // The set-up dialog: may change the page of the printer in use; empty: cancelled.
    std::function<bool(PrinterCapabilities&)> setup_answer;

    QStringList names() override;
    int current_index() override { return installed.isEmpty() ? -1 : current; }
    void set_current_index(int index) override;
    PrinterCapabilities capabilities() override;
    bool setup() override;
};

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
    FakePrinters printers;
    QQueue<std::optional<StoredColor>> color_answers; // empty: cancel
    int beeps = 0;

    QStringList message_texts() const;
};

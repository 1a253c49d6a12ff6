#include "support/scripted_ui.h"
#include "platform/beep.h"
#include "platform/color_dialog.h"
#include "platform/font_dialog.h"
#include "platform/input_box.h"
#include "platform/modal.h"
#include <QDialog>

ScriptedUi::ScriptedUi()
{
    platform::message_box_seam().replace([this](const QString& text, MessageKind kind, MessageButtons buttons) {
        messages.append({text, kind, buttons});
        if (!message_answers.isEmpty()) return message_answers.dequeue();
        return buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::No;
    });
    platform::file_dialog_seam().replace([this](FileDialog& dialog) {
        file_dialog_titles.append(dialog.title);
        if (file_answers.isEmpty()) return false;
        const std::optional<QString> answer = file_answers.dequeue();
        if (!answer) return false;
        dialog.file_name = *answer;
        return true;
    });
    platform::font_dialog_seam().replace([this](QFont& font) {
        if (font_answers.isEmpty()) return false;
        const std::optional<QFont> answer = font_answers.dequeue();
        if (!answer) return false;
        font = *answer;
        return true;
    });
    platform::input_box_seam().replace([this](const QString&, const QString&, QString& text) {
        if (input_answers.isEmpty()) return false;
        const std::optional<QString> answer = input_answers.dequeue();
        if (!answer) return false;
        text = *answer;
        return true;
    });
    platform::modal_seam().replace([this](QDialog& dialog) {
        if (modal_answers.isEmpty()) return int(QDialog::Rejected);
        return modal_answers.dequeue()(dialog);
    });
    platform::screen_seam().replace([this] { return screen; });
    platform::beep_seam().replace([this] { ++beeps; });
    platform::color_dialog_seam().replace([this](StoredColor& color) {
        if (color_answers.isEmpty()) return false;
        const std::optional<StoredColor> answer = color_answers.dequeue();
        if (!answer) return false;
        color = *answer;
        return true;
    });
    platform::replace_printers(&printers);
}

ScriptedUi::~ScriptedUi()
{
    platform::message_box_seam().replace({});
    platform::file_dialog_seam().replace({});
    platform::font_dialog_seam().replace({});
    platform::input_box_seam().replace({});
    platform::modal_seam().replace({});
    platform::screen_seam().replace({});
    platform::beep_seam().replace({});
    platform::color_dialog_seam().replace({});
    platform::replace_printers(nullptr);
}

QStringList ScriptedUi::message_texts() const
{
    QStringList texts;
    for (const RecordedMessage& m : messages) texts << m.text;
    return texts;
}

QStringList FakePrinters::names()
{
    QStringList list;
    for (const Printer& p : installed) list << p.name;
    return list;
}

void FakePrinters::set_current_index(int index)
{
    if (index >= 0 && index < installed.size()) current = index;
}

PrinterCapabilities FakePrinters::capabilities()
{
    return installed.isEmpty() ? PrinterCapabilities{} : installed[current].capabilities;
}

bool FakePrinters::setup()
{
    ++setups;
    if (!setup_answer || installed.isEmpty()) return false;
    return setup_answer(installed[current].capabilities);
}

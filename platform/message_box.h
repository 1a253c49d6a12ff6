#pragma once
#include "platform/seam.h"
#include <QString>

enum class MessageKind { Error, Information, Plain };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageResult { Ok, Yes, No, Cancel };

// Every message of the program is shown through this one modal box.
MessageResult message_box(const QString& text, MessageKind kind, MessageButtons buttons);

namespace platform {
using MessageBoxSeam = Seam<MessageResult(const QString&, MessageKind, MessageButtons)>;
MessageBoxSeam& message_box_seam();
// The caption of plain boxes: the application's title.
inline constexpr const char* application_title = "Dioramix";
}

#pragma once
// The pictures of the program's commands and of the program itself, drawn
// here so that they look the same on every desktop.
#include <QIcon>
#include <QString>

struct DrawingToolRow;

QIcon command_icon(const QString& action_name);
QIcon tool_icon(const DrawingToolRow& row);
QIcon program_icon();

#pragma once
// The pictures of the program's commands and of the program itself, drawn
// here so that they look the same on every desktop.
#include <QIcon>
#include <QString>

QIcon command_icon(const QString& action_name);
QIcon program_icon();

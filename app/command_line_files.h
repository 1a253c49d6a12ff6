#pragma once
// Drawing files named on the command line (`dioramix house.sdf`), so that a
// desktop can open a drawing by a double-click. The program takes no other
// arguments; Qt's own options have been taken out by the application.
#include <QStringList>

class MainWindow;

// Opens each file in turn as Open opens it: a relative name is taken from
// the current folder, a file already open is reported as such, and a file
// that does not exist is reported and skipped.
void open_command_line_files(MainWindow& main, const QStringList& paths);

// The same once the main window is on the screen (in its final size, so
// that each drawing's window fits its panel); at the latest after a second.
void open_command_line_files_when_shown(MainWindow& main, const QStringList& paths);

// Files that a later start of the program handed over: opened as above once
// the main window is on the screen and no dialog waits for an answer, with
// the main window brought forward.
void open_handed_over_files(MainWindow& main, const QStringList& paths);

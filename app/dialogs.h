#pragma once
// The program's dialogs: each is created once at start-up, hidden, in a
// fixed order, reused for every showing and destroyed at the end.

class MainWindow;

// The dialogs that report changes are connected to `main`.
void create_dialogs(MainWindow& main);
void destroy_dialogs();

#pragma once
// The program's dialogs: each is created once at start-up, hidden, in a
// fixed order, reused for every showing and destroyed at the end.

void create_dialogs();
void destroy_dialogs();

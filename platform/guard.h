#pragma once
#include <functional>

// The general error handler at a command boundary: runs `body`; an error it
// raises is shown in an error box and the program goes on.
void run_guarded(const std::function<void()>& body);

// Shows the text of the error being handled (call from a catch block).
void report_current_exception();

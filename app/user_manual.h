#pragma once
// The user manual: an HTML page made from the README when the program is
// built, opened by Help > Contents in the desktop's web browser.
#include <QString>

// The manual's page beside the program (a build folder), else in the data
// folder the program is installed with; empty when neither holds it.
QString user_manual_file(const QString& program_folder);

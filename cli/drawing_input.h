#pragma once
// A drawing file as dioramix-cli renders it.
#include "cli/cli_input.h"

CliInput read_drawing_input(const QString& path);

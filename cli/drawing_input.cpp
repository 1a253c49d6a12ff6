#include "cli/drawing_input.h"

// Drawing files are read once the drawing-file codec is part of the build.
CliInput read_drawing_input(const QString& path)
{
    CliInput input;
    input.error = QStringLiteral("%1: drawing files cannot be read by this build yet").arg(path);
    return input;
}

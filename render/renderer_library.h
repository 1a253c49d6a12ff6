#pragma once
// Finds the stereogram renderer when it is first needed: the library named
// by DIORAMIX_RENDERER, else veride next to the executable, else in the
// installed program's library folder. Once loaded it stays loaded for the
// rest of the run.
#include "render/render_request.h"
#include <QString>

struct RendererEntry {
    RenderFormFunction* render_form = nullptr; // null when it cannot be had
    QString problem;                           // then: what went wrong, for the user
};

RendererEntry load_renderer();

// Where the renderer is looked for.
QString renderer_path();
// The renderer of a program in program_folder: beside it, else where an
// installation puts it; the place beside it when there is none.
QString find_renderer(const QString& program_folder);
// Where an installation puts the renderer, relative to the program's
// folder (empty when the build names no such place).
QString installed_renderer_folder();

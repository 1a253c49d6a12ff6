#pragma once
// Finds the stereogram renderer when it is first needed: the library named
// by DIORAMIX_RENDERER, else veride next to the executable. Once loaded it
// stays loaded for the rest of the run.
#include "render/render_request.h"
#include <QString>

struct RendererEntry {
    RenderFormFunction* render_form = nullptr; // null when it cannot be had
    QString problem;                           // then: what went wrong, for the user
};

RendererEntry load_renderer();

// Where the renderer is looked for.
QString renderer_path();

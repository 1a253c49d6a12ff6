#pragma once
// Reads what the program hands to RenderForm: the drawing's objects through
// the request's references, the settings from the configuration and panel
// blocks, the seed from the drawing's render count, the drawing's folder
// (where its morphology bitmaps are looked for) from the panel.
#include "veride/render_settings.h"
#include "veride/scene.h"
#include <QString>
#include <cstdint>
#include <vector>

class QWidget;

struct RequestedRender {
    std::vector<SceneObject> objects;
    RenderSettings settings;
    std::uint64_t seed = 1;
    QString name;
    QWidget* window = nullptr; // the program's window holding the drawing
    QString drawing_folder;    // where the drawing's file is; empty for one never saved
};

RequestedRender read_request(const void* request, const void* configuration, const void* dimensions,
                             const char* render_name);

#pragma once
// What dioramix-cli renders: a drawing file's objects on its panel, or an
// image read as a depth map at a given resolution.
#include "veride/depth_map.h"
#include <QString>
#include <optional>
#include <vector>

struct CliInput {
    QString error; // one line; empty when read
    std::vector<SceneObject> objects;
    std::optional<DepthMap> depth; // set for an image
    QString drawing_folder;        // a drawing's folder, where its morphology bitmaps are looked for
    std::int32_t width_mm = 0, height_mm = 0, width_px = 0, height_px = 0;
};

struct ModelView;

// A path ending in .sdf is a drawing file, one with a 3D model's suffix a
// model seen as `model` says; anything else an image.
CliInput read_cli_input(const QString& path, int dpi, DepthLimits limits, const ModelView& model);

// Millimetres covered by `pixels` at `dpi`, rounded, at least 1.
std::int32_t millimetres_at(int pixels, int dpi);

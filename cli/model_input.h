#pragma once
// A 3D model as dioramix-cli renders it: turned, fitted inside the picture
// with a margin, its farthest visible point at height 0 and its nearest at
// the relief.
#include "cli/cli_input.h"
#include "core/mesh.h"
#include "veride/model_depth_map.h"
#include <optional>

struct ModelView {
    int width_px = 800;
    int height_px = 600;
    ModelTurn turn;
    std::optional<double> relief_mm; // default: the highest height the settings allow
};

CliInput read_model_input(const QString& path, const ModelView& view, int dpi, DepthLimits limits);

// The same for a model already read from `path` (named in messages), so
// that the frames of a turning model read its file once.
CliInput model_input(const Mesh& mesh, const QString& path, const ModelView& view, int dpi, DepthLimits limits);

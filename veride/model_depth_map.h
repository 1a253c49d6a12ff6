#pragma once
// A 3D model as a depth map to render: turned, fitted inside the picture
// with a margin, its farthest visible point at height 0 and its nearest at
// the relief. dioramix-cli and the program's turntable both render it so.
#include "core/mesh.h"
#include "veride/depth_map.h"

// The margin round a model fitted inside a picture: a twentieth of its
// shorter side, so that the model never touches the picture's edge.
int model_margin(int width_px, int height_px);

// The depth map of `mesh` turned by `turn` at width_px x height_px; heights
// are held to `limits`. Throws std::bad_alloc when the picture does not fit
// in memory.
DepthMap model_depth_map(const Mesh& mesh, ModelTurn turn, int width_px, int height_px, double relief_mm,
                         DepthLimits limits);

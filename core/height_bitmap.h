#pragma once
// Heights the program works out itself (a 3D model's relief, rounded
// edges) kept as an ordinary object: a silhouette and a morphology bitmap
// whose green channel carries the heights, so the drawing file, the
// clipboard and every command treat such an object like any other.
#include "core/morphology.h"
#include <QByteArray>
#include <QImage>
#include <vector>

// A width x height 24-bit bitmap, pure green: level 0 is green 0, level 1
// green 255, rounded; NaN levels (outside the figure) are black.
QImage green_height_bitmap(int width, int height, const std::vector<float>& levels);

// The silhouette of the levels that are not NaN (Format_Mono, black inside).
QImage level_silhouette(int width, int height, const std::vector<float>& levels);

// The morphology that reads such a bitmap at `path` (at most 255 bytes):
// green 0 at `base_mm`, green 255 at `top_mm`.
Morphology green_height_morphology(const QByteArray& path, int base_mm, int top_mm);

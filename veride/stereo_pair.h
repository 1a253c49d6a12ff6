#pragma once
// The scene as each eye sees it, for stereo pairs and anaglyphs. The
// pattern is laid on the scene's surface: a point of the depth map at
// (x, y) shows the pattern's pixel (x, y) in both views, so that the eyes
// find the same texture at corresponding places. Each view moves every
// point by half its disparity, with the stereogram's optics: the farthest
// height of the map lies in the picture's plane, and nearer points move
// toward the viewer's nose (right in the left view, left in the right one)
// by half the difference of their separations.
//
// Points are carried forward into the view with a depth buffer, the nearest
// winning; a run of neighbouring points on one surface fills the pixels
// between them with whichever of the two lies nearer, so a slope seen
// slanted stretches its own texture. The pixels no point reaches, behind
// a near surface's edge, show the farthest plane's texture at their own
// place: the pattern goes on there instead of smearing a neighbour across.
#include "veride/depth_map.h"
#include "veride/geometry.h"
#include "veride/patterns.h"
#include "veride/picture_layout.h"
#include "veride/stereogram.h"
#include <QImage>

struct StereoViews {
    QImage left, right; // 24-bit, the depth map's size; null when cancelled
};

// `pattern` has one sample per pixel.
StereoViews stereo_views(const DepthMap& depth, const StereoGeometry& geometry, const Pattern& pattern,
                         const RenderControl& control = {});

// The views laid out as `layout` asks: side by side, 2W x H (the left view
// on the left for a pair, swapped for a cross pair), or one W x H anaglyph
// whose red is the left view's grey and green and blue the right one's.
// A stereogram layout gives a null image.
QImage laid_out_views(const StereoViews& views, PictureLayout layout);

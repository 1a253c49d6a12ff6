#pragma once
// The objects of a drawing as the depth map needs them, whatever they were
// read from: the drawing window's objects or a drawing file's records and
// silhouettes.
#include "core/color.h"
#include "core/morphology.h"
#include <QImage>
#include <QRect>
#include <QString>
#include <cstdint>
#include <vector>

struct SceneObject {
    QString name;
    QRect bounds; // on the panel, in pixels
    // bounds.width() x bounds.height() bytes, row by row: 1 where the
    // object has a pixel, 0 where what lies behind shows through.
    std::vector<std::uint8_t> covered;
    Morphology morphology;
};

// From an object's 24-bit buffer: every pixel that is not the background
// colour belongs to the object. A buffer smaller than the bounds covers
// only what it holds.
SceneObject scene_object_from_buffer(const QString& name, const QRect& bounds, const QImage& buffer,
                                     StoredColor background, const Morphology& morphology);

// From a silhouette (any format): every pixel that is not white belongs to
// the object, as when the program rebuilds an object from one.
SceneObject scene_object_from_silhouette(const QString& name, const QRect& bounds, const QImage& silhouette,
                                         const Morphology& morphology);

#pragma once
// What a fuzz target does with objects the readers accept: render them as
// a drawing would be, on a small panel, so that a place or size the reader
// lets through but the renderer cannot take shows as a crash here.
#include "files/drawing_reader.h"
#include "veride/render_scene.h"
#include <QImage>
#include <cstdlib>
#include <vector>

inline void render_accepted(const QList<DrawingEntry>& entries)
{
    std::vector<SceneObject> objects;
    for (const DrawingEntry& entry : entries) {
        const ShapeRecord& r = entry.record;
        objects.push_back(scene_object_from_silhouette(QString::fromLatin1(r.name), QRect(r.left, r.top, r.width, r.height),
                                                       entry.silhouette, r.morphology));
    }
    RenderSettings settings;
    settings.width_px = 48;
    settings.height_px = 32;
    settings.width_mm = 16;
    settings.height_mm = 11;
    // Bitmaps are never read from the disk here: every path names one small grey ramp.
    const auto ramp = [](const QString&) {
        QImage image(7, 5, QImage::Format_RGB888);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x * 40, y * 60, 255 - x * 30));
        return image;
    };
    const RenderResult result = render_scene(objects, settings, 1, {}, {}, ramp);
    if (result.ok() && result.stereogram.size() != QSize(settings.width_px, settings.height_px)) std::abort();
}

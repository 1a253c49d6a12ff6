#include "veride/scene.h"
#include <algorithm>

namespace {

SceneObject empty_object(const QString& name, const QRect& bounds, const Morphology& morphology)
{
    SceneObject object;
    object.name = name;
    object.bounds = bounds.isValid() ? bounds : QRect(bounds.topLeft(), QSize(0, 0));
    object.covered.assign(static_cast<std::size_t>(object.bounds.width()) * object.bounds.height(), 0);
    object.morphology = morphology;
    return object;
}

// Marks the pixels for which `belongs(r, g, b)` holds, reading the image as
// 24-bit rows whatever its own format.
template <typename Test>
void mark(SceneObject& object, const QImage& image, Test belongs)
{
    const QImage rgb = image.format() == QImage::Format_RGB888 ? image : image.convertToFormat(QImage::Format_RGB888);
    const int w = std::min(object.bounds.width(), rgb.width());
    const int h = std::min(object.bounds.height(), rgb.height());
    for (int y = 0; y < h; ++y) {
        const uchar* row = rgb.constScanLine(y);
        std::uint8_t* out = object.covered.data() + static_cast<std::size_t>(y) * object.bounds.width();
        for (int x = 0; x < w; ++x) out[x] = belongs(row[3 * x], row[3 * x + 1], row[3 * x + 2]) ? 1 : 0;
    }
}

} // namespace

SceneObject scene_object_from_buffer(const QString& name, const QRect& bounds, const QImage& buffer,
                                     StoredColor background, const Morphology& morphology)
{
    SceneObject object = empty_object(name, bounds, morphology);
    if (buffer.isNull()) return object;
    const int br = red_of(background), bg = green_of(background), bb = blue_of(background);
    mark(object, buffer, [&](int r, int g, int b) { return r != br || g != bg || b != bb; });
    return object;
}

SceneObject scene_object_from_silhouette(const QString& name, const QRect& bounds, const QImage& silhouette,
                                         const Morphology& morphology)
{
    SceneObject object = empty_object(name, bounds, morphology);
    if (silhouette.isNull()) return object;
    mark(object, silhouette, [](int r, int g, int b) { return r != 255 || g != 255 || b != 255; });
    return object;
}

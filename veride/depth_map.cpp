#include "veride/depth_map.h"
#include <QHash>
#include <algorithm>
#include <cmath>

namespace {

std::int32_t limited(double h, DepthLimits limits)
{
    const double rounded = std::floor(h + 0.5);
    return static_cast<std::int32_t>(std::clamp(rounded, double(limits.min_height), double(limits.max_height)));
}

// Height of a flat surface: the four corner heights at the corner pixels,
// interpolated in between.
class FlatSurface {
public:
    FlatSurface(const Morphology& m, const QRect& bounds)
        : h_(m.edge_heights), w_(bounds.width()), ht_(bounds.height())
    {
    }

    double at(int ox, int oy) const
    {
        const double u = w_ > 1 ? double(ox) / (w_ - 1) : 0.0;
        const double v = ht_ > 1 ? double(oy) / (ht_ - 1) : 0.0;
        const double top = h_[0] + (h_[1] - h_[0]) * u;
        const double bottom = h_[2] + (h_[3] - h_[2]) * u;
        return top + (bottom - top) * v;
    }

private:
    std::array<std::int32_t, 4> h_;
    int w_, ht_;
};

// Height from one channel of a morphology bitmap stretched over the object.
class BitmapSurface {
public:
    BitmapSurface(const Morphology& m, const QRect& bounds, const QImage& bitmap)
        : bitmap_(bitmap), m_(m), w_(bounds.width()), h_(bounds.height())
    {
        channel_ = std::clamp(m.main_color, 1, 3) - 1;
    }

    double at(int ox, int oy) const
    {
        const int bx = static_cast<int>(static_cast<std::int64_t>(ox) * bitmap_.width() / w_);
        const int by = static_cast<int>(static_cast<std::int64_t>(oy) * bitmap_.height() / h_);
        const int value = bitmap_.constScanLine(by)[3 * bx + channel_];
        if (m_.max_color_value == m_.min_color_value) return m_.min_color_height;
        const double low = std::min(m_.min_color_value, m_.max_color_value);
        const double high = std::max(m_.min_color_value, m_.max_color_value);
        const double v = std::clamp(double(value), low, high);
        return m_.min_color_height + (v - m_.min_color_value) * (double(m_.max_color_height) - m_.min_color_height) /
                                         (double(m_.max_color_value) - m_.min_color_value);
    }

private:
    QImage bitmap_; // Format_RGB888
    Morphology m_;
    int w_, h_;
    int channel_ = 0;
};

template <typename Surface>
void lay(DepthMap& map, const SceneObject& object, const Surface& surface, DepthLimits limits)
{
    const QRect& b = object.bounds;
    const QRect visible = b.intersected(QRect(0, 0, map.width, map.height));
    const bool clip = object.morphology.clip_enabled == 1 && object.morphology.flat_surface != 1;
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        const std::uint8_t* covered = object.covered.data() + static_cast<std::size_t>(y - b.top()) * b.width();
        std::int32_t* out = map.row(y);
        for (int x = visible.left(); x <= visible.right(); ++x) {
            if (!covered[x - b.left()]) continue;
            const double h = surface.at(x - b.left(), y - b.top());
            if (clip && h < object.morphology.clip_height) continue;
            out[x] = limited(h, limits);
        }
    }
}

} // namespace

QImage read_bitmap_file(const QString& path)
{
    return path.isEmpty() ? QImage() : QImage(path);
}

DepthMap build_depth_map(int width, int height, const std::vector<SceneObject>& objects, DepthLimits limits,
                         QStringList& problems, const BitmapReader& read_bitmap)
{
    DepthMap map;
    map.width = std::max(width, 0);
    map.height = std::max(height, 0);
    map.heights.assign(static_cast<std::size_t>(map.width) * map.height, limited(0, limits));
    QHash<QString, QImage> bitmaps;
    for (const SceneObject& object : objects) {
        if (object.bounds.isEmpty()) continue;
        const Morphology& m = object.morphology;
        if (m.flat_surface == 1) {
            lay(map, object, FlatSurface(m, object.bounds), limits);
            continue;
        }
        const QString path = QString::fromLocal8Bit(m.bitmap_file);
        if (!bitmaps.contains(path)) {
            QImage bitmap = read_bitmap(path);
            if (!bitmap.isNull()) bitmap = bitmap.convertToFormat(QImage::Format_RGB888);
            else
                problems << QStringLiteral("The morphology bitmap \"%1\" of %2 cannot be read; "
                                           "objects using it are rendered flat at height 0.")
                                .arg(path, object.name);
            bitmaps.insert(path, bitmap);
        }
        const QImage& bitmap = bitmaps[path];
        if (bitmap.isNull()) {
            Morphology flat;
            flat.flat_surface = 1;
            SceneObject level = object;
            level.morphology = flat;
            lay(map, level, FlatSurface(flat, object.bounds), limits);
            continue;
        }
        lay(map, object, BitmapSurface(m, object.bounds, bitmap), limits);
    }
    return map;
}

DepthMap depth_map_from_image(const QImage& image, DepthLimits limits)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    DepthMap map;
    map.width = grey.width();
    map.height = grey.height();
    map.heights.resize(static_cast<std::size_t>(map.width) * map.height);
    const double span = double(limits.max_height) - limits.min_height;
    for (int y = 0; y < map.height; ++y) {
        const uchar* in = grey.constScanLine(y);
        std::int32_t* out = map.row(y);
        for (int x = 0; x < map.width; ++x) out[x] = limited(limits.min_height + span * in[x] / 255.0, limits);
    }
    return map;
}

QImage depth_map_image(const DepthMap& map)
{
    QImage image(map.width, map.height, QImage::Format_Grayscale8);
    if (image.isNull()) return image;
    const auto [low, high] = std::minmax_element(map.heights.begin(), map.heights.end());
    const double lo = low == map.heights.end() ? 0 : *low;
    const double span = high == map.heights.end() || *high == lo ? 1.0 : *high - lo;
    for (int y = 0; y < map.height; ++y) {
        const std::int32_t* in = map.row(y);
        uchar* out = image.scanLine(y);
        for (int x = 0; x < map.width; ++x) out[x] = static_cast<uchar>(std::floor((in[x] - lo) * 255.0 / span + 0.5));
    }
    return image;
}

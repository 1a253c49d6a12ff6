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
// interpolated in between, row by row. The parts that depend on one axis
// only are worked out once; a surface tilted only sideways gives the same
// row every time, and one tilted only forwards one height per row.
class FlatSurface {
public:
    FlatSurface(const Morphology& m, const QRect& bounds, DepthLimits limits)
        : limits_(limits), level_rows_(m.edge_heights[0] == m.edge_heights[1] && m.edge_heights[2] == m.edge_heights[3]),
          level_columns_(m.edge_heights[0] == m.edge_heights[2] && m.edge_heights[1] == m.edge_heights[3])
    {
        const auto& h = m.edge_heights;
        const int w = bounds.width(), ht = bounds.height();
        top_.resize(w);
        bottom_.resize(w);
        for (int ox = 0; ox < w; ++ox) {
            const double u = w > 1 ? double(ox) / (w - 1) : 0.0;
            top_[ox] = h[0] + (h[1] - h[0]) * u;
            bottom_[ox] = h[2] + (h[3] - h[2]) * u;
        }
        v_.resize(ht);
        for (int oy = 0; oy < ht; ++oy) v_[oy] = ht > 1 ? double(oy) / (ht - 1) : 0.0;
        row_.resize(w);
        if (level_columns_) fill_row(0);
    }

    // The heights of row oy of the object, one per column.
    const std::int32_t* row(int oy)
    {
        if (level_columns_) return row_.data();
        if (level_rows_) {
            const std::int32_t z = limited(at(0, oy), limits_);
            if (row_[0] != z) std::fill(row_.begin(), row_.end(), z);
        } else {
            fill_row(oy);
        }
        return row_.data();
    }

private:
    double at(int ox, int oy) const { return top_[ox] + (bottom_[ox] - top_[ox]) * v_[oy]; }

    void fill_row(int oy)
    {
        for (std::size_t ox = 0; ox < row_.size(); ++ox) row_[ox] = limited(at(int(ox), oy), limits_);
    }

    DepthLimits limits_;
    bool level_rows_, level_columns_;
    std::vector<double> top_, bottom_, v_;
    std::vector<std::int32_t> row_;
};

void lay_flat(DepthMap& map, const SceneObject& object, DepthLimits limits)
{
    const QRect& b = object.bounds;
    const QRect visible = b.intersected(QRect(0, 0, map.width, map.height));
    FlatSurface surface(object.morphology, b, limits);
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        const std::uint8_t* covered = object.covered.data() + static_cast<std::size_t>(y - b.top()) * b.width();
        const std::int32_t* heights = surface.row(y - b.top());
        std::int32_t* out = map.row(y);
        for (int x = visible.left(); x <= visible.right(); ++x)
            out[x] = covered[x - b.left()] ? heights[x - b.left()] : out[x];
    }
}

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

void lay_bitmap(DepthMap& map, const SceneObject& object, const BitmapSurface& surface, DepthLimits limits)
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
            lay_flat(map, object, limits);
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
            SceneObject level = object;
            level.morphology = Morphology();
            level.morphology.flat_surface = 1;
            lay_flat(map, level, limits);
            continue;
        }
        lay_bitmap(map, object, BitmapSurface(m, object.bounds, bitmap), limits);
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

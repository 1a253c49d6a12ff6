#include "veride/depth_map.h"
#include "core/bitmap_path.h"
#include "core/object_size.h"
#include "platform/regular_file.h"
#include <QHash>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <numeric>
#include <thread>
#include <QCoreApplication>

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
            // In doubles: a file may give corners a whole int apart.
            top_[ox] = h[0] + (double(h[1]) - h[0]) * u;
            bottom_[ox] = h[2] + (double(h[3]) - h[2]) * u;
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

// An object as the rows of the map are laid: each of its rows in turn.
class Layer {
public:
    Layer(const SceneObject& object, const QRect& visible) : object_(object), visible_(visible) {}
    virtual ~Layer() = default;

    int top() const { return visible_.top(); }
    int bottom() const { return visible_.bottom(); }
    // Lays the object's part of panel row y over `row`.
    virtual void lay(int y, std::int32_t* row) = 0;

protected:
    // The object's row for panel row y, from its first visible pixel.
    const std::uint8_t* covered(int y) const
    {
        const QRect& b = object_.bounds;
        return object_.covered.data() + static_cast<std::size_t>(y - b.top()) * b.width() + (visible_.left() - b.left());
    }

    const SceneObject& object_;
    QRect visible_;
};

class FlatLayer : public Layer {
public:
    FlatLayer(const SceneObject& object, const QRect& visible, const Morphology& morphology, DepthLimits limits)
        : Layer(object, visible), surface_(morphology, object.bounds, limits)
    {
    }

    void lay(int y, std::int32_t* row) override
    {
        const std::uint8_t* covered = this->covered(y);
        const std::int32_t* heights =
            surface_.row(y - object_.bounds.top()) + (visible_.left() - object_.bounds.left());
        std::int32_t* out = row + visible_.left();
        for (int i = 0; i < visible_.width(); ++i) out[i] = covered[i] ? heights[i] : out[i];
    }

private:
    FlatSurface surface_;
};

class BitmapLayer : public Layer {
public:
    BitmapLayer(const SceneObject& object, const QRect& visible, const QImage& bitmap, DepthLimits limits)
        : Layer(object, visible), surface_(object.morphology, object.bounds, bitmap), limits_(limits),
          clip_(object.morphology.clip_enabled == 1)
    {
    }

    void lay(int y, std::int32_t* row) override
    {
        const std::uint8_t* covered = this->covered(y);
        const QRect& b = object_.bounds;
        for (int i = 0; i < visible_.width(); ++i) {
            if (!covered[i]) continue;
            const int x = visible_.left() + i;
            const double h = surface_.at(x - b.left(), y - b.top());
            if (clip_ && h < object_.morphology.clip_height) continue;
            row[x] = limited(h, limits_);
        }
    }

private:
    BitmapSurface surface_;
    DepthLimits limits_;
    bool clip_;
};

// Where the run of `value` that goes on at x ends; compared 32 pixels at a
// time while nothing changes, which the compiler turns into vector code.
int run_end(const std::int32_t* row, int x, int width, std::int32_t value)
{
    constexpr int lanes = 32;
    for (; x + lanes <= width; x += lanes) {
        std::int32_t differ = 0;
        for (int k = 0; k < lanes; ++k) differ |= row[x + k] ^ value;
        if (differ) break;
    }
    while (x < width && row[x] == value) ++x;
    return x;
}

} // namespace

DepthMap DepthMap::from_heights(int width, int height, const std::vector<std::int32_t>& heights)
{
    DepthMap map;
    map.width = width;
    map.height = height;
    for (int y = 0; y < height; ++y) map.append_row(heights.data() + static_cast<std::size_t>(y) * width);
    return map;
}

void DepthMap::append_row(const std::int32_t* heights)
{
    for (int begin = 0; begin < width;) {
        const int end = run_end(heights, begin + 1, width, heights[begin]);
        runs.push_back({begin, heights[begin]});
        begin = end;
    }
    row_start.push_back(runs.size());
}

void DepthMap::heights(int y, std::int32_t* out) const
{
    const auto runs = row(y);
    for (std::size_t i = 0; i < runs.size(); ++i)
        std::fill(out + runs[i].begin, out + (i + 1 < runs.size() ? runs[i + 1].begin : width), runs[i].z);
}

std::vector<std::int32_t> DepthMap::heights(int y) const
{
    std::vector<std::int32_t> out(static_cast<std::size_t>(width));
    heights(y, out.data());
    return out;
}

std::int32_t DepthMap::at(int x, int y) const
{
    const auto runs = row(y);
    const auto after = std::upper_bound(runs.begin(), runs.end(), x,
                                        [](int x, const DepthRun& run) { return x < run.begin; });
    return std::prev(after)->z;
}

bool DepthMap::same_rows(int a, int b) const
{
    const auto ra = row(a), rb = row(b);
    static_assert(sizeof(DepthRun) == 2 * sizeof(std::int32_t), "runs compare as bytes");
    return ra.size() == rb.size() && std::memcmp(ra.data(), rb.data(), ra.size_bytes()) == 0;
}

DepthMap DepthMap::widened(int samples) const
{
    DepthMap wide = *this;
    wide.width = width * samples;
    for (DepthRun& run : wide.runs) run.begin *= samples;
    return wide;
}

std::pair<std::int32_t, std::int32_t> DepthMap::range() const
{
    if (runs.empty()) return {0, 0};
    const auto [low, high] = std::minmax_element(runs.begin(), runs.end(),
                                                 [](const DepthRun& a, const DepthRun& b) { return a.z < b.z; });
    return {low->z, high->z};
}

QImage read_bitmap_file(const QString& path)
{
    // Read from the bytes of a regular file only: a path naming a FIFO
    // would hold the render for ever.
    QString unused;
    return path.isEmpty() ? QImage() : platform::read_image_file(path, max_object_pixels, unused);
}

BitmapReader bitmap_reader_for(const QString& drawing_folder)
{
    return [drawing_folder](const QString& path) { return read_bitmap_file(resolve_bitmap_path(path, drawing_folder)); };
}

DepthMap build_depth_map(int width, int height, const std::vector<SceneObject>& objects, DepthLimits limits,
                         QStringList& problems, const BitmapReader& read_bitmap)
{
    DepthMap map;
    map.width = std::max(width, 0);
    map.height = std::max(height, 0);
    const QRect panel(0, 0, map.width, map.height);

    std::vector<std::unique_ptr<Layer>> layers; // back to front
    QHash<QString, QImage> bitmaps;
    for (const SceneObject& object : objects) {
        const QRect visible = object.bounds.intersected(panel);
        if (object.bounds.isEmpty()) continue;
        const Morphology& m = object.morphology;
        if (m.flat_surface == 1) {
            if (!visible.isEmpty()) layers.push_back(std::make_unique<FlatLayer>(object, visible, m, limits));
            continue;
        }
        const QString path = QString::fromLocal8Bit(m.bitmap_file);
        if (!bitmaps.contains(path)) {
            QImage bitmap = read_bitmap(path);
            if (!bitmap.isNull()) bitmap = bitmap.convertToFormat(QImage::Format_RGB888);
            else
                problems << QCoreApplication::translate("Renderer", "The morphology bitmap \"%1\" of %2 cannot be read; "
                                           "objects using it are rendered flat at height 0.")
                                .arg(path, object.name);
            bitmaps.insert(path, bitmap);
        }
        if (visible.isEmpty()) continue;
        const QImage& bitmap = bitmaps[path];
        if (bitmap.isNull()) {
            Morphology level;
            level.flat_surface = 1;
            layers.push_back(std::make_unique<FlatLayer>(object, visible, level, limits));
        } else {
            layers.push_back(std::make_unique<BitmapLayer>(object, visible, bitmap, limits));
        }
    }

    // Row by row, each with the objects that reach it, in their order.
    std::vector<std::size_t> by_top(layers.size());
    std::iota(by_top.begin(), by_top.end(), 0);
    std::stable_sort(by_top.begin(), by_top.end(),
                     [&](std::size_t a, std::size_t b) { return layers[a]->top() < layers[b]->top(); });
    std::vector<std::size_t> active;
    std::size_t next = 0;
    std::vector<std::int32_t> row(static_cast<std::size_t>(map.width));
    const std::int32_t background = limited(0, limits);
    for (int y = 0; y < map.height; ++y) {
        for (; next < by_top.size() && layers[by_top[next]]->top() == y; ++next)
            active.insert(std::lower_bound(active.begin(), active.end(), by_top[next]), by_top[next]);
        std::fill(row.begin(), row.end(), background);
        for (std::size_t i : active) layers[i]->lay(y, row.data());
        map.append_row(row.data());
        std::erase_if(active, [&](std::size_t i) { return layers[i]->bottom() == y; });
    }
    return map;
}

DepthMap depth_map_from_image(const QImage& image, DepthLimits limits)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    std::int32_t of_grey[256];
    const double span = double(limits.max_height) - limits.min_height;
    for (int v = 0; v < 256; ++v) of_grey[v] = limited(limits.min_height + span * v / 255.0, limits);
    // Bands of rows on every core, joined in order: a map with a height per
    // pixel has millions of runs.
    auto band = [&](int first, int end) {
        DepthMap part;
        part.width = grey.width();
        part.height = end - first;
        std::vector<std::int32_t> row(static_cast<std::size_t>(part.width));
        for (int y = first; y < end; ++y) {
            const uchar* in = grey.constScanLine(y);
            for (int x = 0; x < part.width; ++x) row[x] = of_grey[in[x]];
            part.append_row(row.data());
        }
        return part;
    };
    const int bands = std::clamp(int(std::thread::hardware_concurrency()), 1, std::max(1, grey.height() / 64));
    std::vector<DepthMap> parts(static_cast<std::size_t>(bands));
    {
        auto first_row = [&](int i) { return int(std::int64_t(grey.height()) * i / bands); };
        std::vector<std::thread> workers;
        for (int i = 1; i < bands; ++i)
            workers.emplace_back([&, i] { parts[i] = band(first_row(i), first_row(i + 1)); });
        parts[0] = band(0, first_row(1));
        for (std::thread& worker : workers) worker.join();
    }
    DepthMap map = std::move(parts[0]);
    map.height = grey.height();
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::size_t offset = map.runs.size();
        map.runs.insert(map.runs.end(), parts[i].runs.begin(), parts[i].runs.end());
        for (std::size_t r = 1; r < parts[i].row_start.size(); ++r) map.row_start.push_back(offset + parts[i].row_start[r]);
    }
    return map;
}

QImage depth_map_image(const DepthMap& map)
{
    QImage image(map.width, map.height, QImage::Format_Grayscale8);
    if (image.isNull()) return image;
    const auto [low, high] = map.range();
    const double lo = low;
    const double span = high == low ? 1.0 : double(high) - lo;
    for (int y = 0; y < map.height; ++y) {
        uchar* out = image.scanLine(y);
        const auto runs = map.row(y);
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const int end = i + 1 < runs.size() ? runs[i + 1].begin : map.width;
            const auto grey = static_cast<uchar>(std::floor((runs[i].z - lo) * 255.0 / span + 0.5));
            std::fill(out + runs[i].begin, out + end, grey);
        }
    }
    return image;
}

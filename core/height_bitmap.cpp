#include "core/height_bitmap.h"
#include <algorithm>
#include <cmath>

QImage green_height_bitmap(int width, int height, const std::vector<float>& levels)
{
    QImage bitmap(width, height, QImage::Format_RGB888);
    if (bitmap.isNull()) return bitmap;
    for (int y = 0; y < height; ++y) {
        uchar* row = bitmap.scanLine(y);
        const float* level = levels.data() + std::size_t(y) * std::size_t(width);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = 0;
            row[3 * x + 1] = std::isnan(level[x]) ? 0 : uchar(std::lround(std::clamp(level[x], 0.0f, 1.0f) * 255));
            row[3 * x + 2] = 0;
        }
    }
    return bitmap;
}

QImage level_silhouette(int width, int height, const std::vector<float>& levels)
{
    QImage silhouette(width, height, QImage::Format_Mono);
    if (silhouette.isNull()) return silhouette;
    silhouette.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    silhouette.fill(1);
    for (int y = 0; y < height; ++y) {
        const float* level = levels.data() + std::size_t(y) * std::size_t(width);
        for (int x = 0; x < width; ++x)
            if (!std::isnan(level[x])) silhouette.setPixel(x, y, 0);
    }
    return silhouette;
}

Morphology green_height_morphology(const QByteArray& path, int base_mm, int top_mm)
{
    Morphology m;
    m.flat_surface = 0;
    m.bitmap_file = path;
    m.main_color = 2;
    m.min_color_value = 0;
    m.max_color_value = 255;
    m.min_color_height = base_mm;
    m.max_color_height = top_mm;
    return m;
}

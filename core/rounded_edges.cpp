#include "core/rounded_edges.h"
#include "core/distance_transform.h"
#include <algorithm>
#include <cmath>
#include <limits>

float profile_level(EdgeProfile profile, double t)
{
    if (!(t > 0)) return 0.0f;
    if (t >= 1) return 1.0f;
    if (profile == EdgeProfile::Bevel) return float(t);
    // A quarter circle, steep at the rim and flat at the top; a dome is the
    // same curve across the whole figure.
    const double rest = 1.0 - t;
    return float(std::sqrt(1.0 - rest * rest));
}

std::vector<std::uint8_t> silhouette_inside(const QImage& silhouette)
{
    const QImage grey = silhouette.convertToFormat(QImage::Format_Grayscale8);
    const std::size_t w = std::size_t(std::max(grey.width(), 0));
    std::vector<std::uint8_t> inside(w * std::size_t(std::max(grey.height(), 0)));
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* row = grey.constScanLine(y);
        std::uint8_t* out = inside.data() + std::size_t(y) * w;
        for (std::size_t x = 0; x < w; ++x) out[x] = row[x] < 128 ? 1 : 0;
    }
    return inside;
}

std::vector<float> levels_from_distances(std::vector<float> levels, const std::vector<std::uint8_t>& inside,
                                         double band_px, EdgeProfile profile)
{
    double scale = band_px;
    if (profile == EdgeProfile::Dome) {
        const auto largest = std::max_element(levels.begin(), levels.end());
        scale = largest == levels.end() ? 0.0 : *largest;
    }
    const float nothing = std::numeric_limits<float>::quiet_NaN();
    const std::size_t count = std::min(levels.size(), inside.size());
    for (std::size_t i = 0; i < count; ++i)
        levels[i] = inside[i] ? profile_level(profile, scale > 0 ? levels[i] / scale : 1.0) : nothing;
    return levels;
}

std::vector<float> rounded_levels(const QImage& silhouette, double band_px, EdgeProfile profile)
{
    const std::vector<std::uint8_t> inside = silhouette_inside(silhouette);
    return levels_from_distances(distances_to_outside(inside, silhouette.width(), silhouette.height()), inside,
                                 band_px, profile);
}

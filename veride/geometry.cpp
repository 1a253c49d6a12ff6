#include "veride/geometry.h"
#include <algorithm>
#include <cmath>
#include <QCoreApplication>

StereoGeometry::StereoGeometry(const RenderSettings& s)
    : eye_(s.eye_distance), level_(s.level_distance),
      pixels_per_mm_(s.width_mm > 0 ? static_cast<double>(s.width_px) / s.width_mm : 0.0),
      eye_px_(eye_ * pixels_per_mm_), rise_factor_(eye_px_ > 0 ? 2.0 / eye_px_ : 0.0)
{
}

StereoGeometry StereoGeometry::oversampled(int samples) const
{
    StereoGeometry g = *this;
    g.pixels_per_mm_ *= samples;
    g.eye_px_ *= samples;
    g.rise_factor_ = g.eye_px_ > 0 ? 2.0 / g.eye_px_ : 0.0;
    return g;
}

double StereoGeometry::separation_mm(double z) const
{
    const double d = level_ / 2 - z;
    return eye_ * d / (d + level_ / 2);
}

int StereoGeometry::separation_px(double z) const
{
    return static_cast<int>(std::floor(separation_exact_px(z) + 0.5));
}

std::int32_t StereoGeometry::largest_height() const
{
    // s(z) >= m  <=>  z <= L (E/2 - m) / (E - m), with m = 2 pixels in mm;
    // then step to the exact boundary, which rounding may move by one.
    const double m = 2.0 / pixels_per_mm_;
    double z = std::floor(level_ * (eye_ / 2 - m) / (eye_ - m));
    z = std::clamp(z, -2147483647.0, level_ / 2);
    while (z > -2147483647.0 && separation_exact_px(z) < 2.0) z -= 1;
    while (z + 1 < level_ / 2 && separation_exact_px(z + 1) >= 2.0) z += 1;
    return static_cast<std::int32_t>(z);
}

std::optional<QString> geometry_problem(const RenderSettings& s)
{
    if (s.width_px <= 0 || s.height_px <= 0 || s.width_mm <= 0)
        return QCoreApplication::translate("Renderer", "The panel size (%1 x %2 pixels, %3 mm wide) cannot be rendered.")
            .arg(s.width_px).arg(s.height_px).arg(s.width_mm);
    if (s.eye_distance <= 0 || s.level_distance <= 0)
        return QCoreApplication::translate("Renderer", "The distance between the eyes (%1 mm) and the eye distance from the zero level "
                              "(%2 mm) must both be above 0.")
            .arg(s.eye_distance).arg(s.level_distance);
    if (s.min_height > s.max_height)
        return QCoreApplication::translate("Renderer", "The lowest height (%1 mm) is above the highest height (%2 mm).")
            .arg(s.min_height).arg(s.max_height);
    const StereoGeometry geometry(s);
    if (geometry.eye_distance_px() / 2 < 2.0)
        return QCoreApplication::translate("Renderer", "The eyes are only %1 pixels apart on this panel; a stereogram needs more.")
            .arg(geometry.eye_distance_px(), 0, 'f', 1);
    if (geometry.separation_exact_px(s.max_height) < 2.0)
        return QCoreApplication::translate("Renderer", "The highest height of %1 mm is too high for this viewing geometry: "
                              "the largest height it allows is %2 mm.")
            .arg(s.max_height).arg(geometry.largest_height());
    return std::nullopt;
}

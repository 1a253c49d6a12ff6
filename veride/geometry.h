#pragma once
// The viewing geometry of a stereogram: eyes E apart, the zero level L from
// the eyes and the picture halfway between them. A point at height z (mm,
// positive toward the viewer) lies d = L/2 - z behind the picture; the two
// eyes see it at points s = E * d / (d + L/2) apart on the picture.
#include "veride/render_settings.h"
#include <QString>
#include <cstdint>
#include <optional>

class StereoGeometry {
public:
    explicit StereoGeometry(const RenderSettings& settings);

    // The same viewing on a row `samples` times wider: separations come in
    // 1/samples pixel steps and lines of sight climb that much slower per
    // (narrower) pixel.
    StereoGeometry oversampled(int samples) const;

    double pixels_per_mm() const { return pixels_per_mm_; }
    double eye_distance_px() const { return eye_px_; }

    double separation_mm(double z) const;
    double separation_exact_px(double z) const { return separation_mm(z) * pixels_per_mm_; }
    // Whole pixels, rounded to the nearest.
    int separation_px(double z) const;

    // How much higher the line of sight from a point at height z toward
    // either eye is one pixel further along the picture.
    double sight_rise_per_px(double z) const { return rise_factor_ * (level_ - z); }

    // The highest whole height whose separation is still 2 pixels or more.
    std::int32_t largest_height() const;

private:
    double eye_ = 0;
    double level_ = 0;
    double pixels_per_mm_ = 0;
    double eye_px_ = 0;
    double rise_factor_ = 0;
};

// Why the settings cannot give a stereogram, or nothing when they can.
std::optional<QString> geometry_problem(const RenderSettings& settings);

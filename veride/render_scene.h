#pragma once
// One render from start to end: checks the settings, builds the depth map,
// chooses how separations are looked up and renders the stereogram. It
// shows nothing: the library and the command-line tool present the result.
#include "veride/depth_map.h"
#include "veride/picture_options.h"
#include "veride/render_settings.h"
#include "veride/stereogram.h"
#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

struct RenderResult {
    QString error;        // the render stopped with this message; nothing to show
    QStringList warnings; // to tell the user; the render went on
    bool cancelled = false;
    DepthMap depth;
    QImage stereogram;         // 24-bit, in the options' layout; null when stopped or cancelled
    // Pixels, rounded (oversampled pictures repeat at fractions of a pixel).
    int nearest_separation = 0;  // at the highest point of the map
    int farthest_separation = 0; // at the lowest point
    int zero_separation = 0;     // at the zero level: the guide dots' spacing
    double seconds = 0;

    bool ok() const { return error.isEmpty() && !cancelled; }
};

// Panels beyond this many pixels are refused rather than exhaust memory.
inline constexpr std::int64_t largest_panel_pixels = 200'000'000;

// `options` choose the pattern, oversampling and viewing; their guide marks
// are not drawn here (see laid_out_picture). Out-of-range numbers are
// held to their range; an image pattern without an image is an error.
RenderResult render_scene(const std::vector<SceneObject>& objects, const RenderSettings& settings,
                          std::uint64_t seed, const RenderControl& control = {}, const PictureOptions& options = {},
                          const BitmapReader& read_bitmap = read_bitmap_file);

// The same for a depth map made elsewhere (its size replaces the panel's).
RenderResult render_depth_map(DepthMap depth, const RenderSettings& settings, std::uint64_t seed,
                              const RenderControl& control = {}, const PictureOptions& options = {});

#pragma once
// From a render's inputs to a picture file, the one way for the result
// window and dioramix-cli alike: the inputs are rendered, the picture is
// laid out (the stereogram, below the guide strip when the options ask for
// it) and written in the format the file's name asks for.
#include "veride/picture_options.h"
#include "veride/render_scene.h"
#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>
#include <vector>

// ---- Inputs ----------------------------------------------------------------

// What a picture is made from, kept so that it can be made again with
// other options.
struct RenderInputs {
    std::vector<SceneObject> objects;
    std::optional<DepthMap> depth; // a depth map made elsewhere, rendered instead of the objects
    RenderSettings settings;
    std::uint64_t seed = 1;
    QString drawing_folder; // where its bitmaps are looked for and pictures are first saved

    // Rows of the picture, for a progress bar.
    int rows() const { return depth ? depth->height : settings.height_px; }
};

RenderResult render_inputs(const RenderInputs& inputs, const PictureOptions& options,
                           const RenderControl& control = {});

// ---- Layout: what the picture shows ----------------------------------------

// The picture saved and printed: the stereogram, below the strip with the
// guide dots when `options` ask for guide marks, or the views as laid out.
QImage laid_out_picture(const RenderResult& result, const PictureOptions& options);

// ---- Format: how the picture is stored -------------------------------------

// "png" or "bmp" by the extension of `path`, whatever its case; empty for
// any other.
QByteArray picture_format(const QString& path);

// Writes `image` to `path` as `format`, "png" (the renderer's own fast
// writer) or another format Qt writes, such as "bmp": encoded in memory,
// then written durably, so that a failed write (a full disk) leaves the
// file that was there whole and no partial file. Returns the platform's
// reason it was not written, empty on success.
QString write_picture_file(const QImage& image, const QString& path, const QByteArray& format);

// ---- Both ------------------------------------------------------------------

// The laid-out stereogram of `result` to `path` as `format`; the reason it
// was not written, empty on success.
QString export_stereogram(const RenderResult& result, const PictureOptions& options, const QString& path,
                          const QByteArray& format);

// The depth map of `result` as a greyscale PNG (near is white), whatever
// the extension of `path`; the reason it was not written, empty on success.
QString export_depth_map(const RenderResult& result, const QString& path);

#pragma once
// Pixel work of the object transforms on 24-bit buffers (Format_RGB888):
// rotation by a forward parallelogram mapping, nearest-pixel stretch, crop
// copy and the trimming scan. No smoothing anywhere: an object keeps its
// exact colours. Nothing here reads or writes outside an image.
#include "core/color.h"
#include <QImage>
#include <QPoint>
#include <QRect>
#include <optional>
#include <vector>

// One entry of a step table: the step from the previous entry's position
// (each -1, 0 or +1) and the source row or column copied there.
struct StepEntry {
    int step_x = 0;
    int step_y = 0;
    int index = 0;
    bool operator==(const StepEntry&) const = default;
};

// The steps along the edge from `from` to `to` (one entry per pixel of the
// major axis, Bresenham-like), spreading the source indices 0..source_last
// over them.
std::vector<StepEntry> step_table(QPoint from, QPoint to, int source_last);

// Copies the whole of `source` onto `target` as the parallelogram whose
// source top-left, top-right and bottom-left pixels land on p1, p2 and p3.
// Each target pixel takes one source pixel; the holes a diagonal edge would
// leave are filled from the neighbouring source pixels. Positions outside
// `target` are skipped. Returns false when the copy could not be finished
// (what was written stays).
bool map_parallelogram(const QImage& source, QImage& target, QPoint p1, QPoint p2, QPoint p3);

struct TransformedPixels {
    QRect bounds;          // the object's new place on the panel
    QImage buffer;         // its new pixels (null when they could not be allocated)
    bool complete = true;  // false when the mapping stopped early
};

// The object at `bounds` turned by the angle of (sin, cos) clockwise on
// screen about its centre, then mirrored: mirror_x / mirror_y of -1 flip the
// result horizontally / vertically. The new bounds hold the turned corners;
// pixels outside the turned figure take `background`.
// Where rotate_pixels would put the object; none when a corner would leave
// panel coordinates.
std::optional<QRect> rotated_bounds(QRect bounds, int mirror_x, int mirror_y, double sin, double cos);

TransformedPixels rotate_pixels(const QImage& buffer, QRect bounds, int mirror_x, int mirror_y, double sin,
                                double cos, StoredColor background);

// The buffer stretched to width x height: target pixel (x, y) takes source
// pixel (x * W / width, y * H / height). Null when the size is not positive
// or breaks the object-size rule or cannot be allocated.
QImage stretch_pixels(const QImage& buffer, int width, int height);

// The buffer with the given amounts cut from each side; a negative amount
// adds that many background columns or rows. Null when nothing would be
// left or the result cannot be allocated.
QImage crop_pixels(const QImage& buffer, int left, int right, int top, int bottom, StoredColor background);

// The smallest rectangle holding every pixel that is not `background`;
// none when the buffer holds only the background colour.
std::optional<QRect> content_bounds(const QImage& buffer, StoredColor background);

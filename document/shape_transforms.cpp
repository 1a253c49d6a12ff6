// The transforms of one object (move, resize, crop, rotate, adjust edges)
// as operations of its drawing: each records its undo entry only when it
// changes the object.
#include "core/configuration.h"
#include "core/object_size.h"
#include "core/raster.h"
#include "core/shape.h"
#include "core/transforms.h"
#include "document/drawing_window.h"
#include "platform/beep.h"
#include <cstdint>
#include <exception>
#include <new>

namespace {

// Restores the two-colour look of rebuilt pixels. It only polishes the
// result, so a fault in it never undoes the transform.
void outline_quietly(QImage& pixels)
{
    try {
        outline_pass(pixels, Configuration.background_color, Configuration.object_color, color_black);
    } catch (const std::exception&) {
        beep();
    }
}

} // namespace

std::int64_t DrawingWindow::object_pixels() const
{
    std::int64_t pixels = 0;
    for (const Shape* shape : shapes) pixels += std::int64_t(shape->width) * shape->height;
    return pixels;
}

void DrawingWindow::check_pixels_for(const Shape* shape, std::int64_t width, std::int64_t height) const
{
    check_object_size(width, height);
    const std::int64_t now = shape ? std::int64_t(shape->width) * shape->height : 0;
    check_drawing_pixels(object_pixels() - now + width * height);
}

void DrawingWindow::repaint_shape_area(QRect area)
{
    // The nodes stand half outside the object.
    if (panel) panel->update_pixels(area);
}

// The new pixels are complete before anything is recorded, so a failure
// leaves the object and its history as they were.
void DrawingWindow::change_pixels(Shape* shape, const QString& caption, QRect bounds, QImage pixels)
{
    if (pixels.isNull()) throw std::bad_alloc();
    outline_quietly(pixels);
    const QRect old_area = shape->bounds();
    history.record(shape, caption, [&] {
        shape->set_bounds(bounds.left(), bounds.top(), bounds.width(), bounds.height());
        shape->buffer = std::move(pixels);
    });
    modified = 1;
    mark_changed();
    repaint_shape_area(old_area | shape->bounds());
}

bool DrawingWindow::move_shape(Shape* shape, int x, int y)
{
    if (x == shape->left && y == shape->top) return false;
    check_object_place(x, y);
    const QRect old_area = shape->bounds();
    history.record(shape, tr("Move Object"), [&] {
        shape->left = x;
        shape->top = y;
    });
    modified = 1;
    mark_changed();
    repaint_shape_area(old_area | shape->bounds());
    return true;
}

bool DrawingWindow::resize_shape(Shape* shape, int width, int height)
{
    return resize_shape_to(shape, shape->left, shape->top, width, height);
}

bool DrawingWindow::resize_shape_to(Shape* shape, int left, int top, int width, int height)
{
    if (width <= 0 || height <= 0) return false;
    if (left == shape->left && top == shape->top && width == shape->width && height == shape->height) return false;
    check_object_place(left, top);
    check_pixels_for(shape, width, height);
    change_pixels(shape, tr("Resize Object"), QRect(left, top, width, height),
                  stretch_pixels(shape->buffer, width, height));
    return true;
}

bool DrawingWindow::crop_shape(Shape* shape, int left, int right, int top, int bottom)
{
    if (left == 0 && right == 0 && top == 0 && bottom == 0) return false;
    const std::int64_t width = std::int64_t(shape->width) - left - right;
    const std::int64_t height = std::int64_t(shape->height) - top - bottom;
    const std::int64_t new_left = std::int64_t(shape->left) + left;
    const std::int64_t new_top = std::int64_t(shape->top) + top;
    if (width <= 0 || height <= 0) return false;
    check_object_place(new_left, new_top);
    check_pixels_for(shape, width, height);
    change_pixels(shape, tr("Crop Object"), QRect(int(new_left), int(new_top), int(width), int(height)),
                  crop_pixels(shape->buffer, left, right, top, bottom, Configuration.background_color));
    return true;
}

bool DrawingWindow::rotate_shape(Shape* shape, int mirror_x, int mirror_y, double sin, double cos)
{
    if (sin == 0 && cos == 1 && mirror_x == 1 && mirror_y == 1) return false;
    const std::optional<QRect> place = rotated_bounds(shape->bounds(), mirror_x, mirror_y, sin, cos);
    if (!place) return false;
    check_object_place(place->left(), place->top());
    check_pixels_for(shape, place->width(), place->height());
    TransformedPixels turned = rotate_pixels(shape->buffer, shape->bounds(), mirror_x, mirror_y, sin, cos,
                                             Configuration.background_color);
    // A mapping stopped early keeps what it wrote, as a beep tells.
    if (!turned.complete) beep();
    change_pixels(shape, tr("Rotate Object"), turned.bounds, std::move(turned.buffer));
    return true;
}

bool DrawingWindow::adjust_edges(Shape* shape)
{
    const std::optional<QRect> content = content_bounds(shape->buffer, Configuration.background_color);
    if (!content) return false;
    return crop_shape(shape, content->left(), shape->width - content->right() - 1, content->top(),
                      shape->height - content->bottom() - 1);
}

void DrawingWindow::adjust_current_edges()
{
    if (!current_shape) return;
    Shape* shape = current_shape;
    adjust_edges(shape);
    repaint_shape_area(shape->bounds());
    shape->edit_mode = EditMode::Crop;
    cycle_edit_mode(shape);
}

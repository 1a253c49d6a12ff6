#include "document/shape_drag.h"
#include "core/shape.h"
#include "document/drawing_window.h"
#include <QCoreApplication>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <numbers>

void ShapeDrag::draw_outline()
{
    DrawingPanel& panel = *drawing_.panel;
    if (figure_)
        panel.layer.toggle_figure(figure_, QPolygon({outline_[0], outline_[3]}), panel.pen);
    else
        panel.layer.toggle_path({outline_[0], outline_[1], outline_[3], outline_[2]}, panel.pen);
    panel.update();
}

void ShapeDrag::start_frame(QPoint pos, FigurePainter figure)
{
    node_ = 4;
    figure_ = figure;
    outline_.fill(pos);
}

void ShapeDrag::press_on(Shape& shape, bool rotate_node)
{
    figure_ = nullptr;
    const int right = shape.left + shape.width - 1;
    const int bottom = shape.top + shape.height - 1;
    set_outline(shape.left, shape.top, right, bottom);
    if (!rotate_node) {
        drawing_.panel->pen = OutlinePen{Qt::SolidLine, 2};
        return;
    }
    const double w = shape.width, h = shape.height;
    rotation_radius2_ = (w * w + h * h) / 4;
    shape.rotation_center_x = shape.left + int(w / 2 + 0.5);
    shape.rotation_center_y = shape.top + int(h / 2 + 0.5);
    rotation_center_ = QPoint(shape.rotation_center_x, shape.rotation_center_y);
    drawing_.panel->pen = OutlinePen{Qt::DotLine, 1};
}

void ShapeDrag::start(const Shape& shape, int tag)
{
    if (tag == Shape::object_tag) {
        action_ = DragAction::Move;
        return;
    }
    node_ = tag - 1;
    switch (shape.edit_mode) {
    case EditMode::Resize: action_ = DragAction::Resize; break;
    case EditMode::Crop: action_ = DragAction::Crop; break;
    case EditMode::Rotate: {
        action_ = DragAction::Rotate;
        rotating_ = true;
        const double w = shape.width, h = shape.height;
        const double a = (h * h - w * w) / 4;
        const double b = w * h / 2;
        // Opposite corners of a rectangle turn the same way.
        if (tag == 2 || tag == 5)
            corner_pairs_ = {CornerPair{b, a}, CornerPair{0, -rotation_radius2_}, CornerPair{-b, -a}};
        else
            corner_pairs_ = {CornerPair{b, -a}, CornerPair{0, -rotation_radius2_}, CornerPair{-b, a}};
        break;
    }
    }
}

bool ShapeDrag::follow(QPoint pos, QPoint delta)
{
    switch (action_) {
    case DragAction::Move: move_outline(delta); return true;
    case DragAction::Resize:
    case DragAction::Crop: resize_outline(delta); return true;
    case DragAction::Rotate: rotate_outline(pos); return true;
    case DragAction::None: break;
    }
    return false;
}

void ShapeDrag::end()
{
    action_ = DragAction::None;
    rotating_ = false;
}

void ShapeDrag::set_outline(int left, int top, int right, int bottom)
{
    outline_ = {QPoint(left, top), QPoint(right, top), QPoint(left, bottom), QPoint(right, bottom)};
}

void ShapeDrag::show_outline_bounds()
{
    drawing_.show_bounds_text(outline_[0].x(), outline_[0].y(), outline_[3].x() - outline_[0].x() + 1,
                              outline_[3].y() - outline_[0].y() + 1);
}

void ShapeDrag::move_outline(QPoint delta)
{
    draw_outline();
    for (QPoint& corner : outline_) corner += delta;
    show_outline_bounds();
    draw_outline();
}

void ShapeDrag::resize_outline(QPoint delta)
{
    const int L = outline_[0].x(), T = outline_[0].y(), R = outline_[3].x(), B = outline_[3].y();
    const bool moves_left = node_ == 1 || node_ == 3;
    const bool moves_top = node_ == 1 || node_ == 2;
    const int moved_x = (moves_left ? L : R) + delta.x();
    const int fixed_x = moves_left ? R : L;
    const int moved_y = (moves_top ? T : B) + delta.y();
    const int fixed_y = moves_top ? B : T;

    // The corner that follows the mouse changes when it passes the opposite
    // edge. Passing both edges in one step flips it both ways, so the corner
    // under the mouse stays the one that follows it.
    bool right = !moves_left;
    bool bottom = !moves_top;
    if (moves_left ? R < moved_x : moved_x < L) right = !right;
    if (moves_top ? B < moved_y : moved_y < T) bottom = !bottom;
    node_ = 1 + (right ? 1 : 0) + (bottom ? 2 : 0);

    draw_outline();
    set_outline(qMin(moved_x, fixed_x), qMin(moved_y, fixed_y), qMax(moved_x, fixed_x), qMax(moved_y, fixed_y));
    show_outline_bounds();
    draw_outline();
}

// Turns the outline about the object's centre towards the mouse.
void ShapeDrag::rotate_outline(QPoint pos)
{
    draw_outline();
    const Shape* shape = drawing_.current_shape;
    const long long dx = pos.x() - rotation_center_.x();
    const long long dy = pos.y() - rotation_center_.y();
    const double r2 = rotation_radius2_;
    if (shape && (dx != 0 || dy != 0) && r2 != 0) {
        // Signs of the dragged corner's offset from the centre.
        static constexpr int signs[4][2] = {{-1, 1}, {1, 1}, {-1, -1}, {1, -1}};
        const int sx = signs[node_ - 1][0], sy = signs[node_ - 1][1];
        const long long w = shape->width, h = shape->height;
        const double d = std::sqrt(double(dx * dx + dy * dy));
        const long long f = dx * sx * w - dy * sy * h;
        // Rounding can push the cosine just past 1 on the start direction.
        const double cosine = std::clamp(double(f) / 2 / d / std::sqrt(r2), -1.0, 1.0);
        rotation_angle_ = int(std::acos(cosine) * 180 / std::numbers::pi);
        if (dx * sy * h + dy * sx * w > 0) rotation_angle_ = 360 - rotation_angle_;

        const double k = std::sqrt(r2 / double(dx * dx + dy * dy));
        const double m = double(dx) * k, r = double(dy) * k;
        // Outline indices clockwise: top-left, top-right, bottom-right, bottom-left.
        static constexpr int clockwise[4] = {0, 1, 3, 2};
        static constexpr int position[4] = {0, 1, 3, 2}; // outline index -> place in `clockwise`
        const int first = position[node_ - 1];
        const int cx = rotation_center_.x(), cy = rotation_center_.y();
        outline_[node_ - 1] = QPoint(int(cx + m + 0.5), int(cy + r + 0.5));
        for (int i = 0; i < 3; ++i) {
            const CornerPair& pair = corner_pairs_[i];
            const int xi = int((m * pair.s - r * pair.c) / r2 + 0.5);
            const int yi = int((m * pair.c + r * pair.s) / r2 + 0.5);
            outline_[clockwise[(first + i + 1) % 4]] = QPoint(cx + xi, cy + yi);
        }
        emit drawing_.status_text(1, QCoreApplication::translate("DrawingWindow", "angle = %1°").arg(rotation_angle_));
    }
    draw_outline();
}

// The selected object's node modes (resize, rotate, crop) and what a click
// on an object or one of its nodes does.
#include "core/configuration.h"
#include "core/shape.h"
#include "document/drawing_window.h"
#include "platform/guard.h"
#include <QMenu>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr TColor clRed = 0x0000FF;

struct ModeLook {
    const char* mode;
    TColor node_color;
    NodeCursor cursor;
    const char* node_hint;
    const char* object_hint;
};

constexpr ModeLook resize_look{"resize", clBlack, NodeCursor::SizeAll, "Drag node to resize object",
                               "Drag to move object (resize mode)"};
constexpr ModeLook rotate_look{"rotate", clRed, NodeCursor::Rotate, "Drag node to rotate object",
                               "Drag to move object (rotate mode)"};
constexpr ModeLook crop_look{"crop", clWhite, NodeCursor::Crop, "Drag node to crop object",
                             "Drag to move object (crop mode)"};

void apply_look(Shape& shape, const ModeLook& look)
{
    for (ShapeNode& node : shape.nodes) {
        node.color = look.node_color;
        node.cursor = look.cursor;
        node.hint = QString::fromLatin1(look.node_hint);
        node.visible = true;
    }
    shape.edit_mode = QString::fromLatin1(look.mode);
    shape.hint = QString::fromLatin1(look.object_hint);
}

// The mode one advance before `mode`, so that advancing shows `mode` again.
QString previous_mode(const QString& mode)
{
    if (mode == QLatin1String("resize")) return QStringLiteral("crop");
    if (mode == QLatin1String("rotate")) return QStringLiteral("resize");
    return QStringLiteral("rotate");
}

} // namespace

void DrawingWindow::cycle_edit_mode(Shape* shape)
{
    if (shape->edit_mode == QLatin1String("crop")) {
        ShapeNode& n1 = shape->nodes[0];
        n1.left = shape->Left - 3;
        n1.top = shape->Top - 3;
        shape->nodes[1].left = n1.left + shape->Width - 1;
        shape->nodes[1].top = n1.top;
        shape->nodes[2].left = n1.left;
        shape->nodes[2].top = n1.top + shape->Height - 1;
        shape->nodes[3].left = shape->nodes[1].left;
        shape->nodes[3].top = shape->nodes[2].top;
        apply_look(*shape, resize_look);
    } else if (shape->edit_mode == QLatin1String("resize")) {
        apply_look(*shape, rotate_look);
    } else if (shape->edit_mode == QLatin1String("rotate")) {
        apply_look(*shape, crop_look);
    }
    panel->update_pixels(shape->bounds());
}

void DrawingWindow::hide_nodes(Shape* shape)
{
    if (!shape->nodes[0].visible) return;
    for (ShapeNode& node : shape->nodes) node.visible = false;
    shape->hint.clear();
    panel->update_pixels(shape->bounds());
}

void DrawingWindow::shape_mousedown(const MouseTarget& sender, Qt::MouseButton button, int x, int y, QPoint screen)
{
    setFocus();
    if (sender.tag == Shape::object_tag) {
        // The object really hit is the front-most one from the sender down
        // whose pixel under the mouse is its edge or its body.
        const QPoint at(x + sender.shape->Left, y + sender.shape->Top);
        Shape* hit = nullptr;
        for (qsizetype i = shapes.indexOf(sender.shape); i >= 0 && !hit; --i) {
            if (shape_pixel_hit(*shapes[i], at.x(), at.y(), Configuration.object_color)) hit = shapes[i];
        }
        if (current_shape && current_shape != hit) deselect_shape(current_shape);
        if (!hit) return;
        select_shape(hit);
    }
    Shape* shape = current_shape;
    if (!shape) return;

    hide_nodes(shape);
    outline = {QPoint(shape->Left, shape->Top), QPoint(shape->Left + shape->Width - 1, shape->Top),
               QPoint(shape->Left, shape->Top + shape->Height - 1),
               QPoint(shape->Left + shape->Width - 1, shape->Top + shape->Height - 1)};
    if (button == Qt::RightButton) {
        panel->pen = OutlinePen{Qt::SolidLine, 2};
        draw_outline();
        shape->edit_mode = QStringLiteral("crop");
        return;
    }
    if (shape->edit_mode != QLatin1String("rotate") || sender.tag == Shape::object_tag) {
        panel->pen = OutlinePen{Qt::SolidLine, 2};
    } else {
        const double w = shape->Width, h = shape->Height;
        rotate_radius2 = (w * w + h * h) / 4;
        shape->rotation_center_x = shape->Left + int(w / 2 + 0.5);
        shape->rotation_center_y = shape->Top + int(h / 2 + 0.5);
        rotate_center_x = shape->rotation_center_x;
        rotate_center_y = shape->rotation_center_y;
        panel->pen = OutlinePen{Qt::DotLine, 1};
    }
    draw_outline();
    remember_mouse(sender.origin() + QPoint(x, y), screen);
}

// x and y are panel pixels. The first move with the left button held
// starts the drag and hands it to the panel, which follows it to the release.
void DrawingWindow::shape_mousemove(const MouseTarget& sender, Qt::MouseButtons buttons, int x, int y, QPoint screen)
{
    Shape* shape = current_shape;
    if (!shape || !(buttons & Qt::LeftButton)) return;
    modified = 1;
    if (sender.tag == Shape::object_tag) {
        drag_action = 1;
    } else if (shape->edit_mode == QLatin1String("rotate")) {
        drag_action = 3;
        drag_node = sender.tag - 1;
        dragging = 1;
        const double w = shape->Width, h = shape->Height;
        const double a = (h * h - w * w) / 4;
        const double b = w * h / 2;
        // Opposite corners of a rectangle turn the same way.
        if (sender.tag == 2 || sender.tag == 5)
            corner_pairs = {CornerPair{b, a}, CornerPair{0, -rotate_radius2}, CornerPair{-b, -a}};
        else
            corner_pairs = {CornerPair{b, -a}, CornerPair{0, -rotate_radius2}, CornerPair{-b, a}};
    } else {
        drag_action = shape->edit_mode == QLatin1String("resize") ? 2 : 4;
        drag_node = sender.tag - 1;
    }
    panel_mousemove(buttons, QPoint(x, y), screen);
    panel->capture_mouse();
}

void DrawingWindow::rotate_step(QPoint pos)
{
    draw_outline();
    const Shape* shape = current_shape;
    const long long dx = pos.x() - rotate_center_x;
    const long long dy = pos.y() - rotate_center_y;
    const double r2 = rotate_radius2;
    if (shape && (dx != 0 || dy != 0) && r2 != 0) {
        // Signs of the dragged corner's offset from the centre.
        static constexpr int signs[4][2] = {{-1, 1}, {1, 1}, {-1, -1}, {1, -1}};
        const int sx = signs[drag_node - 1][0], sy = signs[drag_node - 1][1];
        const long long w = shape->Width, h = shape->Height;
        const double d = std::sqrt(double(dx * dx + dy * dy));
        const long long f = dx * sx * w - dy * sy * h;
        // Rounding can push the cosine just past 1 on the start direction.
        const double cosine = std::clamp(double(f) / 2 / d / std::sqrt(r2), -1.0, 1.0);
        rotate_angle = int(std::acos(cosine) * 180 / std::numbers::pi);
        if (dx * sy * h + dy * sx * w > 0) rotate_angle = 360 - rotate_angle;

        const double k = std::sqrt(r2 / double(dx * dx + dy * dy));
        const double m = double(dx) * k, r = double(dy) * k;
        // Outline indices clockwise: top-left, top-right, bottom-right, bottom-left.
        static constexpr int clockwise[4] = {0, 1, 3, 2};
        static constexpr int position[4] = {0, 1, 3, 2}; // outline index -> place in `clockwise`
        const int first = position[drag_node - 1];
        outline[drag_node - 1] = QPoint(int(rotate_center_x + m + 0.5), int(rotate_center_y + r + 0.5));
        for (int i = 0; i < 3; ++i) {
            const CornerPair& pair = corner_pairs[i];
            const int xi = int((m * pair.s - r * pair.c) / r2 + 0.5);
            const int yi = int((m * pair.c + r * pair.s) / r2 + 0.5);
            outline[clockwise[(first + i + 1) % 4]] = QPoint(rotate_center_x + xi, rotate_center_y + yi);
        }
        emit status_text(1, QStringLiteral("angle = %1").arg(rotate_angle) + QChar(0xB0));
    }
    draw_outline();
}

void DrawingWindow::shape_mouseup(const MouseTarget& sender, Qt::MouseButton button, int, int, QPoint screen)
{
    if (!current_shape) return;
    draw_outline();
    cycle_edit_mode(current_shape);
    if (sender.tag == Shape::object_tag && button == Qt::RightButton) shape_popup->popup(screen);
}

void DrawingWindow::shape_dblclicked(const MouseTarget& sender)
{
    run_guarded([&] {
        Shape* shape = sender.shape;
        if (!shape || !adjust_edges(shape)) return;
        repaint_shape_area(shape->bounds());
        shape->edit_mode = QStringLiteral("rotate");
        cycle_edit_mode(shape);
    });
}

void DrawingWindow::pointer_released(Qt::MouseButton button)
{
    if (button == Qt::RightButton) return;
    if (drag_action == 0) {
        if (current_shape) deselect_shape(current_shape);
        return;
    }
    Shape* shape = current_shape;
    if (!shape) {
        // The object went away during the drag (deleted, or its window
        // lost the focus): the drag ends and the panel is drawn afresh.
        drag_action = 0;
        dragging = 0;
        panel->release_capture();
        panel->repaint_panel();
        return;
    }
    draw_outline();
    dragging = 0;
    const int left = outline[0].x(), top = outline[0].y();
    const int right = outline[3].x(), bottom = outline[3].y();
    // The drag is over even when the transform fails with an error.
    const std::uint8_t action = drag_action;
    drag_action = 0;
    panel->release_capture();
    bool done = true;
    switch (action) {
    case 1: move_shape(shape, left, top); break;
    case 2: resize_shape_to(shape, left, top, right - left + 1, bottom - top + 1); break;
    case 3: {
        const double theta = rotate_angle * std::numbers::pi / 180;
        done = rotate_shape(shape, 1, 1, -std::sin(theta), std::cos(theta));
        break;
    }
    default:
        done = crop_shape(shape, left - shape->Left, shape->Left + shape->Width - 1 - right, top - shape->Top,
                          shape->Top + shape->Height - 1 - bottom);
        break;
    }
    // A drag that changed nothing gives the object back its nodes in the
    // mode it was in, so the user can try again.
    if (!done) shape->edit_mode = previous_mode(shape->edit_mode);
    else shape->edit_mode = QStringLiteral("crop");
    repaint_shape_area(shape->bounds());
    cycle_edit_mode(shape);
}

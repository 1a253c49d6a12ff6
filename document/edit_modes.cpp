// The selected object's node modes (resize, rotate, crop) and what a click
// on an object or one of its nodes does.
#include "core/configuration.h"
#include "core/shape.h"
#include "document/drawing_window.h"
#include "platform/guard.h"
#include <QCoreApplication>
#include <QMenu>
#include <cmath>
#include <numbers>

namespace {

constexpr StoredColor color_red = 0x0000FF;

struct ModeLook {
    EditMode mode;
    StoredColor node_color;
    NodeCursor cursor;
    const char* node_hint;   // translated in the "Shape" context
    const char* object_hint;
};

constexpr ModeLook resize_look{EditMode::Resize, color_black, NodeCursor::SizeAll,
                               QT_TRANSLATE_NOOP("Shape", "Drag node to resize object"),
                               QT_TRANSLATE_NOOP("Shape", "Drag to move object (resize mode)")};
constexpr ModeLook rotate_look{EditMode::Rotate, color_red, NodeCursor::Rotate,
                               QT_TRANSLATE_NOOP("Shape", "Drag node to rotate object"),
                               QT_TRANSLATE_NOOP("Shape", "Drag to move object (rotate mode)")};
constexpr ModeLook crop_look{EditMode::Crop, color_white, NodeCursor::Crop,
                             QT_TRANSLATE_NOOP("Shape", "Drag node to crop object"),
                             QT_TRANSLATE_NOOP("Shape", "Drag to move object (crop mode)")};

void apply_look(Shape& shape, const ModeLook& look)
{
    for (ShapeNode& node : shape.nodes) {
        node.color = look.node_color;
        node.cursor = look.cursor;
        node.hint = QCoreApplication::translate("Shape", look.node_hint);
        node.visible = true;
    }
    shape.edit_mode = look.mode;
    shape.hint = QCoreApplication::translate("Shape", look.object_hint);
}

// The mode one advance before `mode`, so that advancing shows `mode` again.
EditMode previous_mode(EditMode mode)
{
    switch (mode) {
    case EditMode::Resize: return EditMode::Crop;
    case EditMode::Rotate: return EditMode::Resize;
    case EditMode::Crop: break;
    }
    return EditMode::Rotate;
}

} // namespace

void DrawingWindow::cycle_edit_mode(Shape* shape)
{
    switch (shape->edit_mode) {
    case EditMode::Crop: {
        ShapeNode& top_left = shape->nodes[0];
        top_left.left = shape->left - 3;
        top_left.top = shape->top - 3;
        shape->nodes[1].left = top_left.left + shape->width - 1;
        shape->nodes[1].top = top_left.top;
        shape->nodes[2].left = top_left.left;
        shape->nodes[2].top = top_left.top + shape->height - 1;
        shape->nodes[3].left = shape->nodes[1].left;
        shape->nodes[3].top = shape->nodes[2].top;
        apply_look(*shape, resize_look);
        break;
    }
    case EditMode::Resize: apply_look(*shape, rotate_look); break;
    case EditMode::Rotate: apply_look(*shape, crop_look); break;
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
        const QPoint at(x + sender.shape->left, y + sender.shape->top);
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
    if (button == Qt::RightButton) {
        drag_.press_on(*shape, false);
        drag_.draw_outline();
        shape->edit_mode = EditMode::Crop;
        return;
    }
    bool rotate_node = false;
    switch (shape->edit_mode) {
    case EditMode::Rotate: rotate_node = sender.tag != Shape::object_tag; break;
    case EditMode::Resize:
    case EditMode::Crop: break;
    }
    drag_.press_on(*shape, rotate_node);
    drag_.draw_outline();
    remember_mouse(sender.origin() + QPoint(x, y), screen);
}

// x and y are panel pixels. The first move with the left button held
// starts the drag and hands it to the panel, which follows it to the release.
void DrawingWindow::shape_mousemove(const MouseTarget& sender, Qt::MouseButtons buttons, int x, int y, QPoint screen)
{
    Shape* shape = current_shape;
    if (!shape || !(buttons & Qt::LeftButton)) return;
    modified = 1;
    drag_.start(*shape, sender.tag);
    panel_mousemove(buttons, QPoint(x, y), screen);
    panel->capture_mouse();
}

void DrawingWindow::shape_mouseup(const MouseTarget& sender, Qt::MouseButton button, int, int, QPoint screen)
{
    if (!current_shape) return;
    drag_.draw_outline();
    cycle_edit_mode(current_shape);
    if (sender.tag == Shape::object_tag && button == Qt::RightButton) shape_popup->popup(screen);
}

void DrawingWindow::shape_dblclicked(const MouseTarget& sender)
{
    run_guarded([&] {
        Shape* shape = sender.shape;
        if (!shape || !adjust_edges(shape)) return;
        repaint_shape_area(shape->bounds());
        shape->edit_mode = EditMode::Rotate;
        cycle_edit_mode(shape);
    });
}

void DrawingWindow::pointer_released(Qt::MouseButton button)
{
    if (button == Qt::RightButton) return;
    const DragAction action = drag_.action();
    if (action == DragAction::None) {
        if (current_shape) deselect_shape(current_shape);
        return;
    }
    Shape* shape = current_shape;
    if (!shape) {
        // The object went away during the drag (deleted, or its window
        // lost the focus): the drag ends and the panel is drawn afresh.
        drag_.end();
        panel->release_capture();
        panel->repaint_panel();
        return;
    }
    drag_.draw_outline();
    const std::array<QPoint, 4>& outline = drag_.outline();
    const int left = outline[0].x(), top = outline[0].y();
    const int right = outline[3].x(), bottom = outline[3].y();
    // The drag is over even when the transform fails with an error.
    drag_.end();
    panel->release_capture();
    bool done = true;
    switch (action) {
    case DragAction::Move: move_shape(shape, left, top); break;
    case DragAction::Resize: resize_shape_to(shape, left, top, right - left + 1, bottom - top + 1); break;
    case DragAction::Rotate: {
        const double theta = drag_.rotation_angle() * std::numbers::pi / 180;
        done = rotate_shape(shape, 1, 1, -std::sin(theta), std::cos(theta));
        break;
    }
    case DragAction::Crop:
    case DragAction::None:
        done = crop_shape(shape, left - shape->left, shape->left + shape->width - 1 - right, top - shape->top,
                          shape->top + shape->height - 1 - bottom);
        break;
    }
    // A drag that changed nothing gives the object back its nodes in the
    // mode it was in, so the user can try again.
    shape->edit_mode = done ? EditMode::Crop : previous_mode(shape->edit_mode);
    repaint_shape_area(shape->bounds());
    cycle_edit_mode(shape);
}

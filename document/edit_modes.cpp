// The selected object's node modes (resize, rotate, crop) and what a click
// on an object or one of its nodes does.
#include "app/configuration.h"
#include "app/parentform.h"
#include "document/design.h"
#include "document/shape.h"
#include <QMenu>

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

void apply_look(TRazidoVavoz& shape, const ModeLook& look)
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

QRect node_area(const TRazidoVavoz& shape)
{
    return shape.bounds().adjusted(-ShapeNode::size, -ShapeNode::size, ShapeNode::size, ShapeNode::size);
}

} // namespace

void TForm2::cycle_edit_mode(TRazidoVavoz* shape)
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
    panel->update(node_area(*shape));
}

void TForm2::hide_nodes(TRazidoVavoz* shape)
{
    if (!shape->nodes[0].visible) return;
    for (ShapeNode& node : shape->nodes) node.visible = false;
    shape->hint.clear();
    panel->update(node_area(*shape));
}

void TForm2::shape_mousedown(const MouseTarget& sender, Qt::MouseButton button, int x, int y, QPoint screen)
{
    setFocus();
    if (sender.tag == TRazidoVavoz::object_tag) {
        // The object really hit is the front-most one from the sender down
        // whose pixel under the mouse is its edge or its body.
        const QPoint at(x + sender.shape->Left, y + sender.shape->Top);
        TRazidoVavoz* hit = nullptr;
        for (qsizetype i = shapes.indexOf(sender.shape); i >= 0 && !hit; --i) {
            if (shape_pixel_hit(*shapes[i], at.x(), at.y(), Configuration.object_color)) hit = shapes[i];
        }
        if (current_shape && current_shape != hit) deselect_shape(current_shape);
        if (!hit) return;
        select_shape(hit);
    }
    TRazidoVavoz* shape = current_shape;
    if (!shape) return;

    hide_nodes(shape);
    outline = {QPoint(shape->Left, shape->Top), QPoint(shape->Left + shape->Width - 1, shape->Top),
               QPoint(shape->Left, shape->Top + shape->Height - 1),
               QPoint(shape->Left + shape->Width - 1, shape->Top + shape->Height - 1)};
    if (button == Qt::RightButton) {
        outline_pen = OutlinePen{Qt::SolidLine, 2};
        draw_outline();
        shape->edit_mode = QStringLiteral("crop");
        return;
    }
    if (shape->edit_mode != QLatin1String("rotate") || sender.tag == TRazidoVavoz::object_tag) {
        outline_pen = OutlinePen{Qt::SolidLine, 2};
    } else {
        const double w = shape->Width, h = shape->Height;
        rotate_radius2 = (w * w + h * h) / 4;
        shape->rotation_center_x = shape->Left + int(w / 2 + 0.5);
        shape->rotation_center_y = shape->Top + int(h / 2 + 0.5);
        outline_pen = OutlinePen{Qt::DotLine, 1};
    }
    draw_outline();
    last_mouse_x = screen.x();
    last_mouse_y = screen.y();
}

void TForm2::shape_mousemove(const MouseTarget&, Qt::MouseButtons, int, int, QPoint)
{
}

void TForm2::shape_mouseup(const MouseTarget& sender, Qt::MouseButton button, int, int, QPoint screen)
{
    if (!current_shape) return;
    draw_outline();
    cycle_edit_mode(current_shape);
    if (sender.tag == TRazidoVavoz::object_tag && button == Qt::RightButton) shape_popup->popup(screen);
}

void TForm2::shape_dblclicked(const MouseTarget&)
{
}

void TForm2::pointer_released(Qt::MouseButton button)
{
    if (button == Qt::RightButton) return;
    if (drag_action == 0 && current_shape) deselect_shape(current_shape);
}

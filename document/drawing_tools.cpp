// The drawing tools on the panel, as the tool table describes them: a
// frame dragged for a figure, a polygon's vertices, a typed text; and the
// keyboard.
#include "core/configuration.h"
#include "core/shape.h"
#include "document/drawing_host.h"
#include "document/drawing_tool_table.h"
#include "document/drawing_window.h"
#include "platform/guard.h"
#include <QCursor>
#include <QKeyEvent>
#include <QPainter>

// ---- Routing from the panel -------------------------------------------------

void DrawingWindow::activate_for_mouse()
{
    host->activate_drawing(this);
    setFocus();
}

void DrawingWindow::dispatch_mouse_down(const MouseTarget& target, Qt::MouseButton button, QPoint pos, QPoint screen)
{
    run_guarded([&] {
        if (target.is_panel()) {
            panel_mousedown(button, pos, screen);
            return;
        }
        const QPoint origin = target.tag == Shape::object_tag
            ? QPoint(target.shape->left, target.shape->top)
            : target.shape->nodes[target.tag - 2].rect().topLeft();
        shape_mousedown(target, button, pos.x() - origin.x(), pos.y() - origin.y(), screen);
    });
}

void DrawingWindow::dispatch_mouse_move(const MouseTarget& target, Qt::MouseButtons buttons, QPoint pos, QPoint screen)
{
    run_guarded([&] {
        if (target.is_panel())
            panel_mousemove(buttons, pos, screen);
        else
            shape_mousemove(target, buttons, pos.x(), pos.y(), screen);
    });
}

void DrawingWindow::dispatch_mouse_up(const MouseTarget& target, Qt::MouseButton button, QPoint pos, QPoint screen)
{
    run_guarded([&] {
        if (target.is_panel())
            panel_mouseup(button, pos, screen);
        else
            shape_mouseup(target, button, pos.x(), pos.y(), screen);
    });
}

const DrawingToolRow& DrawingWindow::tool() const
{
    return drawing_tool_row(host->tool_mode());
}

Qt::CursorShape DrawingWindow::tool_cursor() const
{
    return tool().cursor;
}

void DrawingWindow::drop_tool_input()
{
    panel->destroy_caret();
    panel->repaint_panel();
    text_entry_.drop();
    polygon_entry_.clear();
}

void DrawingWindow::remember_mouse(QPoint pos, QPoint screen)
{
    last_mouse_pos_ = pos;
    last_mouse_screen_ = screen;
}

// ---- Panel mouse handlers -----------------------------------------------------

void DrawingWindow::panel_mousedown(Qt::MouseButton button, QPoint pos, QPoint screen)
{
    const DrawingToolRow& row = tool();
    if (row.gesture == ToolGesture::Frame && button == Qt::LeftButton && visible_area().contains(pos)) {
        drag_.start_frame(pos, row.paint);
        remember_mouse(pos, screen);
        drag_.draw_outline();
    }
}

void DrawingWindow::panel_mousemove(Qt::MouseButtons buttons, QPoint pos, QPoint screen)
{
    const ToolGesture gesture = tool().gesture;
    const QRect visible = visible_area();
    if (buttons & Qt::LeftButton) {
        modified = 1;
        // The mouse may not leave the visible area while the button is held:
        // it is put back along the axis that left it.
        if (pos.x() < visible.left() || pos.x() > visible.right()) {
            screen.setX(last_mouse_screen_.x());
            pos.setX(last_mouse_pos_.x());
            QCursor::setPos(screen);
        }
        if (pos.y() < visible.top() || pos.y() > visible.bottom()) {
            screen.setY(last_mouse_screen_.y());
            pos.setY(last_mouse_pos_.y());
            QCursor::setPos(screen);
        }
        if (gesture == ToolGesture::Select) {
            if (!drag_.follow(pos, pos - last_mouse_pos_)) return;
        } else if (gesture == ToolGesture::Frame) {
            drag_.resize_outline(pos - last_mouse_pos_);
        }
    } else if (buttons == Qt::NoButton) {
        if (!visible.contains(pos)) {
            panel->release_capture();
            return;
        }
        polygon_entry_.follow_mouse(last_mouse_pos_, pos);
        if (gesture != ToolGesture::Select) panel->capture_mouse();
    }
    remember_mouse(pos, screen);
}

void DrawingWindow::panel_mouseup(Qt::MouseButton button, QPoint pos, QPoint screen)
{
    const DrawingToolRow& row = tool();
    if (row.gesture == ToolGesture::Select) {
        pointer_released(button);
        return;
    }
    const bool inside = visible_area().contains(pos);
    if (row.gesture == ToolGesture::Frame && button != Qt::RightButton) {
        const std::array<QPoint, 4>& outline = drag_.outline();
        const int left = outline[0].x(), top = outline[0].y();
        const int width = outline[3].x() - left + 1, height = outline[3].y() - top + 1;
        if (width > 1 && height > 1) {
            drag_.draw_outline();
            Shape* shape = create_shape(left, top, width, height);
            QPainter painter(&shape->buffer);
            prepare_figure_painter(painter);
            row.paint(painter, QPolygon({QPoint(0, 0), QPoint(width - 1, height - 1)}));
            painter.end();
            mark_changed();
        }
    } else if (row.gesture == ToolGesture::Vertices && inside) {
        if (button == Qt::LeftButton) {
            if (polygon_entry_.add_vertex(pos)) remember_mouse(pos, screen);
        } else {
            polygon_entry_.close(row.paint);
        }
    } else if (row.gesture == ToolGesture::Text) {
        if (!text_entry_.is_typing())
            text_entry_.start(pos);
        else
            text_entry_.finish();
    }
    if (!panel->capture) panel->capture_mouse();
}

// ---- Keyboard -------------------------------------------------------------------

bool DrawingWindow::focusNextPrevChild(bool)
{
    // Tab belongs to the drawing: it selects the next object.
    return false;
}

void DrawingWindow::keyPressEvent(QKeyEvent* event)
{
    // The object popup's commands exist only there: the keyboard opens it too.
    const bool popup_key = event->key() == Qt::Key_Menu
        || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (popup_key) {
        popup_at_current_shape();
        event->accept();
        return;
    }
    for (const QChar c : event->text()) {
        // Control characters (Enter, Escape, Delete, Ctrl+letter) are not text.
        if (c.unicode() >= 0x20 && c.unicode() != 0x7F) run_guarded([&] { key_pressed(c); });
    }
    event->accept();
}

void DrawingWindow::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat()) return;
    run_guarded([&] { key_up(event->key(), event->modifiers()); });
    event->accept();
}

void DrawingWindow::key_pressed(QChar character)
{
    if (tool().gesture == ToolGesture::Text) text_entry_.type(character);
}

void DrawingWindow::key_up(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) return;
    const ToolGesture gesture = tool().gesture;
    if (gesture == ToolGesture::Text && text_entry_.is_typing()) {
        text_entry_.edit(key);
    } else if (key == Qt::Key_Delete) {
        if (current_shape) delete_shape();
        if (!polygon_entry_.vertices().isEmpty()) polygon_entry_.abandon();
    } else if (key == Qt::Key_Tab && gesture == ToolGesture::Select) {
        if (shapes.isEmpty()) return;
        const qsizetype at = current_shape ? shapes.indexOf(current_shape) + 1 : 0;
        Shape* next = shapes[at < shapes.size() ? at : 0];
        select_shape(next);
        cycle_edit_mode(next);
    }
}

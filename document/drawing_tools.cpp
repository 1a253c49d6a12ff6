// The four drawing tools on the panel (rectangle, ellipse, polygon, text),
// the rubber-band outline that follows the mouse, and the keyboard.
#include "core/configuration.h"
#include "core/raster.h"
#include "core/shape.h"
#include "core/transforms.h"
#include "document/drawing_window.h"
#include "document/drawing_host.h"
#include "platform/guard.h"
#include <QCursor>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QPolygon>

namespace {

enum Tool : std::uint8_t { pointer_tool = 0, rectangle_tool = 1, ellipse_tool = 2, polygon_tool = 3, text_tool = 4 };

// Polygon vertices are kept as "%4u%4u" texts, so they have four digits.
constexpr int max_vertex_coordinate = 9999;

QPainter& prepare_figure_painter(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(to_qcolor(Configuration.object_color));
    return painter;
}

} // namespace

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
            ? QPoint(target.shape->Left, target.shape->Top)
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

Qt::CursorShape DrawingWindow::tool_cursor() const
{
    switch (host->tool_mode()) {
    case rectangle_tool:
    case ellipse_tool:
    case polygon_tool: return Qt::CrossCursor;
    case text_tool: return Qt::IBeamCursor;
    default: return Qt::ArrowCursor;
    }
}

// ---- The rubber-band outline -------------------------------------------------

void DrawingWindow::set_outline(int left, int top, int right, int bottom)
{
    outline = {QPoint(left, top), QPoint(right, top), QPoint(left, bottom), QPoint(right, bottom)};
}

void DrawingWindow::remember_mouse(QPoint pos, QPoint screen)
{
    last_mouse_pos = pos;
    last_mouse_x = screen.x();
    last_mouse_y = screen.y();
}

void DrawingWindow::outline_move(QPoint pos)
{
    const QPoint d = pos - last_mouse_pos;
    draw_outline();
    for (QPoint& corner : outline) corner += d;
    show_bounds_text(outline[0].x(), outline[0].y(), outline[3].x() - outline[0].x() + 1,
                     outline[3].y() - outline[0].y() + 1);
    draw_outline();
}

void DrawingWindow::outline_resize(QPoint pos)
{
    const QPoint d = pos - last_mouse_pos;
    const int L = outline[0].x(), T = outline[0].y(), R = outline[3].x(), B = outline[3].y();
    const bool moves_left = drag_node == 1 || drag_node == 3;
    const bool moves_top = drag_node == 1 || drag_node == 2;
    const int moved_x = (moves_left ? L : R) + d.x();
    const int fixed_x = moves_left ? R : L;
    const int moved_y = (moves_top ? T : B) + d.y();
    const int fixed_y = moves_top ? B : T;

    // The corner that follows the mouse changes when it passes the opposite
    // edge. Passing both edges in one step flips it both ways, so the corner
    // under the mouse stays the one that follows it.
    bool right = !moves_left;
    bool bottom = !moves_top;
    if (moves_left ? R < moved_x : moved_x < L) right = !right;
    if (moves_top ? B < moved_y : moved_y < T) bottom = !bottom;
    drag_node = 1 + (right ? 1 : 0) + (bottom ? 2 : 0);

    draw_outline();
    set_outline(qMin(moved_x, fixed_x), qMin(moved_y, fixed_y), qMax(moved_x, fixed_x), qMax(moved_y, fixed_y));
    show_bounds_text(outline[0].x(), outline[0].y(), outline[3].x() - outline[0].x() + 1,
                     outline[3].y() - outline[0].y() + 1);
    draw_outline();
}

// ---- Panel mouse handlers -----------------------------------------------------

void DrawingWindow::panel_mousedown(Qt::MouseButton button, QPoint pos, QPoint screen)
{
    const std::uint8_t tool = host->tool_mode();
    if ((tool == rectangle_tool || tool == ellipse_tool) && button == Qt::LeftButton && visible_area().contains(pos)) {
        drag_node = 4;
        outline.fill(pos);
        remember_mouse(pos, screen);
        draw_outline();
    }
}

void DrawingWindow::panel_mousemove(Qt::MouseButtons buttons, QPoint pos, QPoint screen)
{
    const std::uint8_t tool = host->tool_mode();
    const QRect visible = visible_area();
    if (buttons & Qt::LeftButton) {
        modified = 1;
        // The mouse may not leave the visible area while the button is held:
        // it is put back along the axis that left it.
        if (pos.x() < visible.left() || pos.x() > visible.right()) {
            screen.setX(last_mouse_x);
            pos.setX(last_mouse_pos.x());
            QCursor::setPos(screen);
        }
        if (pos.y() < visible.top() || pos.y() > visible.bottom()) {
            screen.setY(last_mouse_y);
            pos.setY(last_mouse_pos.y());
            QCursor::setPos(screen);
        }
        if (tool == pointer_tool) {
            switch (drag_action) {
            case 1: outline_move(pos); break;
            case 2:
            case 4: outline_resize(pos); break;
            case 3: rotate_step(pos); break;
            default: return;
            }
        } else if (tool == rectangle_tool || tool == ellipse_tool) {
            outline_resize(pos);
        }
    } else if (buttons == Qt::NoButton) {
        if (!visible.contains(pos)) {
            panel->release_capture();
            return;
        }
        if (!polygon_points.isEmpty()) {
            const QString& last = polygon_points.constLast();
            const QPoint vertex(last.mid(0, 4).trimmed().toInt(), last.mid(4, 4).trimmed().toInt());
            panel->layer.toggle_line(vertex, last_mouse_pos, panel->pen);
            panel->layer.toggle_line(vertex, pos, panel->pen);
            panel->update();
        }
        if (tool != pointer_tool) panel->capture_mouse();
    }
    remember_mouse(pos, screen);
}

void DrawingWindow::panel_mouseup(Qt::MouseButton button, QPoint pos, QPoint screen)
{
    const std::uint8_t tool = host->tool_mode();
    if (tool == pointer_tool) {
        pointer_released(button);
        return;
    }
    const bool inside = visible_area().contains(pos);
    if ((tool == rectangle_tool || tool == ellipse_tool) && button != Qt::RightButton) {
        const int left = outline[0].x(), top = outline[0].y();
        const int width = outline[3].x() - left + 1, height = outline[3].y() - top + 1;
        if (width > 1 && height > 1) {
            draw_outline();
            Shape* shape = create_shape(left, top, width, height);
            QPainter painter(&shape->buffer);
            prepare_figure_painter(painter);
            if (tool == rectangle_tool)
                painter.drawRect(0, 0, width - 1, height - 1);
            else
                painter.drawEllipse(QRect(0, 0, width - 1, height - 1));
            painter.end();
            mark_changed();
        }
    } else if (tool == polygon_tool && inside) {
        if (button == Qt::LeftButton) {
            if (pos.x() <= max_vertex_coordinate && pos.y() <= max_vertex_coordinate) {
                polygon_points << QString::asprintf("%4u%4u", unsigned(pos.x()), unsigned(pos.y()));
                remember_mouse(pos, screen);
            }
        } else {
            close_polygon();
        }
    } else if (tool == text_tool) {
        if (!typing) {
            panel->create_caret(2, QFontInfo(panel->font).pixelSize());
            panel->set_caret_pos(pos.x(), pos.y());
            typed_text.clear();
            typing = 1;
            text_x = pos.x();
            text_y = pos.y();
            caret_index = 1;
        } else {
            finish_text();
        }
    }
    if (!panel->capture) panel->capture_mouse();
}

void DrawingWindow::close_polygon()
{
    if (polygon_points.size() > 2) {
        QPolygon vertices;
        for (const QString& point : polygon_points)
            vertices << QPoint(point.mid(0, 4).trimmed().toInt(), point.mid(4, 4).trimmed().toInt());
        const QRect box = vertices.boundingRect();
        Shape* shape = create_shape(box.left(), box.top(), box.width(), box.height());
        QPainter painter(&shape->buffer);
        prepare_figure_painter(painter);
        painter.drawPolygon(vertices.translated(-box.left(), -box.top()));
        painter.end();
        modified = 1;
        mark_changed();
    }
    polygon_points.clear();
    panel->repaint_panel();
}

// ---- Text ---------------------------------------------------------------------

void DrawingWindow::place_caret()
{
    const QFontMetrics metrics(panel->font);
    panel->set_caret_pos(text_x + metrics.horizontalAdvance(typed_text.left(caret_index - 1)), text_y);
}

void DrawingWindow::redraw_typed_text()
{
    panel->repaint_panel();
    panel->layer.add_text(QPoint(text_x, text_y), typed_text, panel->font, panel->font_color,
                          Configuration.background_color);
    place_caret();
}

void DrawingWindow::finish_text()
{
    panel->destroy_caret();
    panel->repaint_panel();
    typing = 0;
    if (typed_text.isEmpty()) return;
    const QFontMetrics metrics(panel->font);
    const int width = metrics.horizontalAdvance(typed_text);
    const int height = metrics.height();
    if (width <= 0 || height <= 0) return;
    check_pixels_for(nullptr, width, height);
    QImage pixels = make_buffer(width, height, Configuration.background_color);
    require_pixels(pixels);
    {
        QPainter painter(&pixels);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(panel->font);
        painter.setPen(to_qcolor(Configuration.object_color));
        painter.drawText(QRect(0, 0, width, height), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, typed_text);
    }
    // Spaces or zero-width characters alone leave nothing to stand in depth.
    if (!content_bounds(pixels, Configuration.background_color)) return;
    outline_pass(pixels, Configuration.background_color, Configuration.object_color, clBlack);
    modified = 1;
    create_shape(text_x, text_y, width, height)->buffer = std::move(pixels);
    mark_changed();
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
    if (host->tool_mode() != text_tool || !typing || character == QChar(0x08)) return;
    typed_text.insert(caret_index - 1, character);
    ++caret_index;
    redraw_typed_text();
}

void DrawingWindow::key_up(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) return;
    const std::uint8_t tool = host->tool_mode();
    if (tool == text_tool && typing) {
        switch (key) {
        case Qt::Key_Delete:
            if (caret_index <= typed_text.size()) typed_text.remove(caret_index - 1, 1);
            break;
        case Qt::Key_Backspace:
            if (caret_index > 1) {
                typed_text.remove(caret_index - 2, 1);
                --caret_index;
            }
            break;
        case Qt::Key_Left: caret_index = qMax(1, caret_index - 1); break;
        case Qt::Key_Right: caret_index = qMin(int(typed_text.size()) + 1, caret_index + 1); break;
        default: break;
        }
        redraw_typed_text();
    } else if (key == Qt::Key_Delete) {
        if (current_shape) delete_shape();
        if (!polygon_points.isEmpty()) {
            polygon_points.clear();
            panel->repaint_panel();
        }
    } else if (key == Qt::Key_Tab && tool == pointer_tool) {
        if (shapes.isEmpty()) return;
        const qsizetype at = current_shape ? shapes.indexOf(current_shape) + 1 : 0;
        Shape* next = shapes[at < shapes.size() ? at : 0];
        select_shape(next);
        cycle_edit_mode(next);
    }
}

#include "document/polygon_entry.h"
#include "core/configuration.h"
#include "core/shape.h"
#include "document/drawing_panel.h"
#include "document/drawing_tool_table.h"
#include "document/drawing_window.h"
#include <QPainter>

bool PolygonEntry::add_vertex(QPoint pos)
{
    if (pos.x() > max_vertex_coordinate || pos.y() > max_vertex_coordinate) return false;
    vertices_ << pos;
    return true;
}

void PolygonEntry::follow_mouse(QPoint from, QPoint to)
{
    if (vertices_.isEmpty()) return;
    DrawingPanel& panel = *drawing_.panel;
    panel.layer.toggle_line(vertices_.constLast(), from, panel.pen);
    panel.layer.toggle_line(vertices_.constLast(), to, panel.pen);
    panel.update();
}

void PolygonEntry::close(FigurePainter paint)
{
    if (vertices_.size() > 2) {
        const QRect box = vertices_.boundingRect();
        Shape* shape = drawing_.create_shape(box.left(), box.top(), box.width(), box.height());
        QPainter painter(&shape->buffer);
        prepare_figure_painter(painter);
        paint(painter, vertices_.translated(-box.left(), -box.top()));
        painter.end();
        drawing_.modified = 1;
        drawing_.mark_changed();
    }
    abandon();
}

void PolygonEntry::abandon()
{
    vertices_.clear();
    drawing_.panel->repaint_panel();
}

#pragma once
// A polygon entered on a drawing's panel with the polygon tool: left clicks
// add vertices, a rubber line follows the mouse from the last one, and a
// right click makes the polygon an object.
#include <QPoint>
#include "document/outline_layer.h"
#include <QPolygon>

class DrawingWindow;

class PolygonEntry {
public:
    // Vertices beyond this coordinate are not taken, as drawings have
    // always limited them to four digits.
    static constexpr int max_vertex_coordinate = 9999;

    explicit PolygonEntry(DrawingWindow& drawing) : drawing_(drawing) {}

    const QPolygon& vertices() const { return vertices_; }
    // Adds a vertex at `pos`, panel pixels; false when it lies too far out.
    bool add_vertex(QPoint pos);
    // Moves the rubber line's free end from `from` to `to`.
    void follow_mouse(QPoint from, QPoint to);
    // Makes an object of three vertices or more, painted by `paint`; the
    // entry ends either way.
    void close(FigurePainter paint);
    // Forgets the vertices; the panel's lines stay until it is repainted.
    void clear() { vertices_.clear(); }
    // Forgets the vertices and their lines.
    void abandon();

private:
    DrawingWindow& drawing_;
    QPolygon vertices_;
};

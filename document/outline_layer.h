#pragma once
// What the drawing panel shows above its objects: the rubber-band outline,
// the polygon's rubber lines and the text being typed. Lines are XOR
// drawings: drawing one that is shown takes it away again, so every show can
// be matched by an erase, and repainting the panel clears the whole layer.
#include "core/color.h"
#include <QFont>
#include <QList>
#include <QPoint>
#include <QPolygon>
#include <QString>
#include <QVector>

class QPainter;

// Paints a figure with the painter's pen and brush. `points` are the
// frame's top-left and bottom-right pixels for a frame figure, the vertices
// for a polygon; both in the painter's pixels.
using FigurePainter = void (*)(QPainter& painter, const QPolygon& points);

struct OutlinePen {
    Qt::PenStyle style = Qt::SolidLine;
    int width = 1;
    bool operator==(const OutlinePen&) const = default;
};

class OutlineLayer {
public:
    // Draws the closed path through `points` in XOR mode.
    void toggle_path(const QVector<QPoint>& points, const OutlinePen& pen);
    // Draws the line from a to b in XOR mode; a line of no length draws nothing.
    void toggle_line(QPoint a, QPoint b, const OutlinePen& pen);
    // Draws the figure `paint` makes of `points` in XOR mode, unfilled.
    void toggle_figure(FigurePainter paint, const QPolygon& points, const OutlinePen& pen);
    // Writes text with its character cells filled with `cell_color`.
    void add_text(QPoint top_left, const QString& text, const QFont& font, StoredColor color, StoredColor cell_color);

    void clear() { items_.clear(); }
    bool isEmpty() const { return items_.isEmpty(); }
    int size() const { return static_cast<int>(items_.size()); }

    // Paints the items in order, at `zoom` screen pixels per panel pixel;
    // XOR items invert what lies below them. Lines keep their width on
    // screen and run through the middle of the pixels they pass.
    void paint(QPainter& painter, double zoom) const;

private:
    struct Item {
        enum class Kind { Path, Line, Figure, Text } kind;
        QVector<QPoint> points;
        OutlinePen pen;
        QString text;
        QFont font;
        StoredColor color = 0;
        StoredColor cell_color = 0;
        FigurePainter figure = nullptr;
        bool operator==(const Item&) const = default;
    };
    void toggle(const Item& item);

    QList<Item> items_;
};

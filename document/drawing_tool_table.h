#pragma once
// One row per drawing tool: what the tool bar shows for it, how the panel
// looks while it is chosen, and how its figure is painted. The preview
// while drawing and the object it makes use the same paint function, so
// what the user sees while dragging is what they get.
#include "document/drawing_tool.h"
#include "document/outline_layer.h"
#include <QPolygon>
#include <QString>
#include <array>
#include <optional>

class QPainter;

// How a tool takes its figure from the mouse.
enum class ToolGesture {
    Select,   // picks and drags objects
    Frame,    // a drag spans the figure's frame
    Vertices, // left clicks add vertices, a right click closes the figure
    Text,     // a click starts a text, typed on the panel
};

struct DrawingToolRow {
    DrawingTool tool;
    const char* action_name; // object name of the tool's action
    const char* button_name; // object name of its tool bar button
    const char* caption;     // translated in the "DrawingTool" context
    const char* hint;
    void (*paint_icon)(QPainter& painter); // on a 24 x 24 square
    Qt::CursorShape cursor;
    ToolGesture gesture;
    // The rubber band's pen while the tool is chosen; none keeps the pen.
    std::optional<OutlinePen> outline_pen;
    FigurePainter paint; // null for tools that make no figure
};

const std::array<DrawingToolRow, drawing_tool_count>& drawing_tool_table();
const DrawingToolRow& drawing_tool_row(DrawingTool tool);

// Sets `painter` up to paint a figure into an object's buffer: no
// antialiasing, a black one-pixel edge, filled in the object colour.
void prepare_figure_painter(QPainter& painter);

QString drawing_tool_caption(const DrawingToolRow& row);
QString drawing_tool_hint(const DrawingToolRow& row);

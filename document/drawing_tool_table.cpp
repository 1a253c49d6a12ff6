#include "document/drawing_tool_table.h"
#include "core/configuration.h"
#include <QCoreApplication>
#include <QFont>
#include <QPainter>
#include <QPolygonF>

namespace {

const QColor icon_ink(40, 40, 48);
const QColor icon_paper(250, 250, 245);
const QColor icon_fill(240, 220, 40);

void paint_pointer_icon(QPainter& p)
{
    p.setPen(QPen(icon_ink, 1.2));
    p.setBrush(icon_paper);
    p.drawPolygon(QPolygonF({QPointF(6, 3), QPointF(6, 19), QPointF(10, 15), QPointF(13, 21), QPointF(15, 20),
                             QPointF(12, 14), QPointF(17, 14)}));
}

void paint_rectangle_icon(QPainter& p)
{
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(icon_fill);
    p.drawRect(QRectF(3, 6, 18, 12));
}

void paint_ellipse_icon(QPainter& p)
{
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(icon_fill);
    p.drawEllipse(QRectF(3, 5, 18, 14));
}

void paint_polygon_icon(QPainter& p)
{
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(icon_fill);
    p.drawPolygon(QPolygonF({QPointF(4, 19), QPointF(8, 4), QPointF(20, 8), QPointF(15, 14), QPointF(20, 20)}));
}

void paint_text_icon(QPainter& p)
{
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.setPen(icon_ink);
    p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, QStringLiteral("A"));
}

// A frame's rectangle as QPainter strokes it: a rectangle of size (w, h)
// covers w + 1 by h + 1 pixels with a one-pixel pen.
QRect stroked_frame(const QPolygon& points)
{
    const QPoint size = points[1] - points[0];
    return QRect(points[0], QSize(size.x(), size.y()));
}

void paint_rectangle(QPainter& painter, const QPolygon& points)
{
    painter.drawRect(stroked_frame(points));
}

void paint_ellipse(QPainter& painter, const QPolygon& points)
{
    painter.drawEllipse(stroked_frame(points));
}

void paint_polygon(QPainter& painter, const QPolygon& points)
{
    painter.drawPolygon(points);
}

constexpr std::array<DrawingToolRow, drawing_tool_count> table = {{
    {DrawingTool::Pointer, "pointer_action", "pointer_button", QT_TRANSLATE_NOOP("DrawingTool", "Pointer"),
     QT_TRANSLATE_NOOP("DrawingTool", "Edit Mode"), paint_pointer_icon, Qt::ArrowCursor, ToolGesture::Select,
     std::nullopt, nullptr},
    {DrawingTool::Rectangle, "rectangle_action", "rectangle_button", QT_TRANSLATE_NOOP("DrawingTool", "rectangle"),
     QT_TRANSLATE_NOOP("DrawingTool", "Create Rectangle"), paint_rectangle_icon, Qt::CrossCursor, ToolGesture::Frame,
     OutlinePen{Qt::SolidLine, 2}, paint_rectangle},
    {DrawingTool::Ellipse, "ellipse_action", "ellipse_button", QT_TRANSLATE_NOOP("DrawingTool", "circle"),
     QT_TRANSLATE_NOOP("DrawingTool", "Create Circle"), paint_ellipse_icon, Qt::CrossCursor, ToolGesture::Frame,
     OutlinePen{Qt::SolidLine, 2}, paint_ellipse},
    {DrawingTool::Polygon, "polygon_action", "polygon_button", QT_TRANSLATE_NOOP("DrawingTool", "polygon"),
     QT_TRANSLATE_NOOP("DrawingTool", "Create Polygon"), paint_polygon_icon, Qt::CrossCursor, ToolGesture::Vertices,
     OutlinePen{Qt::DotLine, 1}, paint_polygon},
    {DrawingTool::Text, "text_action", "text_button", QT_TRANSLATE_NOOP("DrawingTool", "text"),
     QT_TRANSLATE_NOOP("DrawingTool", "Create Text"), paint_text_icon, Qt::IBeamCursor, ToolGesture::Text,
     std::nullopt, nullptr},
}};

// Rows are found by their tool's value.
constexpr bool rows_in_tool_order()
{
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i].tool != DrawingTool(i)) return false;
    return true;
}
static_assert(rows_in_tool_order());

} // namespace

const std::array<DrawingToolRow, drawing_tool_count>& drawing_tool_table()
{
    return table;
}

const DrawingToolRow& drawing_tool_row(DrawingTool tool)
{
    return table[static_cast<std::size_t>(tool)];
}

void prepare_figure_painter(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(to_qcolor(Configuration.object_color));
}

QString drawing_tool_caption(const DrawingToolRow& row)
{
    return QCoreApplication::translate("DrawingTool", row.caption);
}

QString drawing_tool_hint(const DrawingToolRow& row)
{
    return QCoreApplication::translate("DrawingTool", row.hint);
}

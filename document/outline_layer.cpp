#include "document/outline_layer.h"
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <cmath>

namespace {
// Grey, so that XOR changes every colour visibly.
const QColor xor_color(0x80, 0x80, 0x80);

// The screen pixel in the middle of a panel pixel.
QPoint on_screen(QPoint panel_pixel, double zoom)
{
    return QPoint(int(std::floor((panel_pixel.x() + 0.5) * zoom)), int(std::floor((panel_pixel.y() + 0.5) * zoom)));
}
} // namespace

void OutlineLayer::toggle(const Item& item)
{
    const qsizetype at = items_.indexOf(item);
    if (at >= 0)
        items_.removeAt(at);
    else
        items_.append(item);
}

void OutlineLayer::toggle_path(const QVector<QPoint>& points, const OutlinePen& pen)
{
    toggle(Item{Item::Kind::Path, points, pen, {}, {}, 0, 0});
}

void OutlineLayer::toggle_line(QPoint a, QPoint b, const OutlinePen& pen)
{
    if (a == b) return;
    toggle(Item{Item::Kind::Line, {a, b}, pen, {}, {}, 0, 0});
}

void OutlineLayer::toggle_figure(FigurePainter paint, const QPolygon& points, const OutlinePen& pen)
{
    toggle(Item{Item::Kind::Figure, points, pen, {}, {}, 0, 0, paint});
}

void OutlineLayer::add_text(QPoint top_left, const QString& text, const QFont& font, StoredColor color, StoredColor cell_color)
{
    items_.append(Item{Item::Kind::Text, {top_left}, {}, text, font, color, cell_color});
}

void OutlineLayer::paint(QPainter& painter, double zoom) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setBrush(Qt::NoBrush);
    for (const Item& item : items_) {
        if (item.kind == Item::Kind::Text) {
            // Written in panel pixels and shown scaled like the objects, so
            // that it looks as the object it becomes.
            const QFontMetrics metrics(item.font);
            const QSize cells(metrics.horizontalAdvance(item.text), metrics.height());
            if (cells.isEmpty()) continue;
            QImage text(cells, QImage::Format_RGB32);
            text.fill(to_qcolor(item.cell_color));
            QPainter writer(&text);
            writer.setRenderHint(QPainter::TextAntialiasing, false);
            writer.setFont(item.font);
            writer.setPen(to_qcolor(item.color));
            writer.drawText(text.rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, item.text);
            writer.end();
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            const QPointF at = QPointF(item.points[0]) * zoom;
            painter.drawImage(QRectF(at, QSizeF(cells) * zoom), text);
            continue;
        }
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        QPen pen(xor_color, item.pen.width, item.pen.style, Qt::SquareCap, Qt::MiterJoin);
        pen.setCosmetic(true);
        painter.setPen(pen);
        QPolygon points;
        for (QPoint point : item.points) points << on_screen(point, zoom);
        if (item.kind == Item::Kind::Line)
            painter.drawLine(points[0], points[1]);
        else if (item.kind == Item::Kind::Figure)
            item.figure(painter, points);
        else
            painter.drawPolygon(points);
    }
    painter.restore();
}

#include "document/outline_layer.h"
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

namespace {
// Grey, so that XOR changes every colour visibly.
const QColor xor_color(0x80, 0x80, 0x80);
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

void OutlineLayer::add_text(QPoint top_left, const QString& text, const QFont& font, TColor color, TColor cell_color)
{
    items_.append(Item{Item::Kind::Text, {top_left}, {}, text, font, color, cell_color});
}

void OutlineLayer::paint(QPainter& painter) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setBrush(Qt::NoBrush);
    for (const Item& item : items_) {
        if (item.kind == Item::Kind::Text) {
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            const QFontMetrics metrics(item.font);
            const QRect cells(item.points[0], QSize(metrics.horizontalAdvance(item.text), metrics.height()));
            painter.fillRect(cells, to_qcolor(item.cell_color));
            painter.setFont(item.font);
            painter.setPen(to_qcolor(item.color));
            painter.drawText(cells, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, item.text);
            continue;
        }
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        QPen pen(xor_color, item.pen.width, item.pen.style, Qt::SquareCap, Qt::MiterJoin);
        painter.setPen(pen);
        if (item.kind == Item::Kind::Line)
            painter.drawLine(item.points[0], item.points[1]);
        else
            painter.drawPolygon(QPolygon(item.points));
    }
    painter.restore();
}

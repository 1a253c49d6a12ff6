#include "app/command_icons.h"
#include "document/drawing_tool_table.h"
#include "resources/program_icon.h"
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <functional>
#include <map>

namespace {

using Drawer = std::function<void(QPainter&)>;

const QColor ink(40, 40, 48);
const QColor paper(250, 250, 245);
const QColor accent(30, 110, 200);
const QColor warm(220, 160, 30);

QIcon draw_icon(const Drawer& draw)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 24.0, size / 24.0);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void page(QPainter& p, QRectF r)
{
    p.setPen(QPen(ink, 1.2));
    p.setBrush(paper);
    QPolygonF shape({r.topLeft(), QPointF(r.right() - 5, r.top()), QPointF(r.right(), r.top() + 5), r.bottomRight(), r.bottomLeft()});
    p.drawPolygon(shape);
}

void arrow(QPainter& p, bool back)
{
    p.setPen(QPen(accent, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    if (back) {
        path.moveTo(19, 18);
        path.cubicTo(19, 9, 13, 7, 6, 9);
        p.drawPath(path);
        p.drawPolyline(QPolygonF({QPointF(9, 5), QPointF(5, 9), QPointF(9, 13)}));
    } else {
        path.moveTo(5, 18);
        path.cubicTo(5, 9, 11, 7, 18, 9);
        p.drawPath(path);
        p.drawPolyline(QPolygonF({QPointF(15, 5), QPointF(19, 9), QPointF(15, 13)}));
    }
}

const std::map<QString, Drawer>& drawers()
{
    static const std::map<QString, Drawer> table = {
        {QStringLiteral("new_action"), [](QPainter& p) { page(p, QRectF(5, 3, 14, 18)); }},
        {QStringLiteral("open_action"), [](QPainter& p) {
             p.setPen(QPen(ink, 1.2));
             p.setBrush(warm);
             p.drawPolygon(QPolygonF({QPointF(2, 6), QPointF(9, 6), QPointF(11, 8), QPointF(20, 8), QPointF(20, 19), QPointF(2, 19)}));
             p.setBrush(warm.lighter(130));
             p.drawPolygon(QPolygonF({QPointF(5, 11), QPointF(23, 11), QPointF(20, 19), QPointF(2, 19)}));
         }},
        {QStringLiteral("save_action"), [](QPainter& p) {
             p.setPen(QPen(ink, 1.2));
             p.setBrush(accent);
             p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
             p.setBrush(paper);
             p.drawRect(QRectF(7, 3, 10, 7));
             p.drawRect(QRectF(6, 13, 12, 8));
         }},
        {QStringLiteral("undo_action"), [](QPainter& p) { arrow(p, true); }},
        {QStringLiteral("redo_action"), [](QPainter& p) { arrow(p, false); }},
        {QStringLiteral("cut_action"), [](QPainter& p) {
             p.setPen(QPen(ink, 1.6));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QRectF(4, 15, 6, 6));
             p.drawEllipse(QRectF(14, 15, 6, 6));
             p.drawLine(QPointF(8.5, 15.5), QPointF(16, 3));
             p.drawLine(QPointF(15.5, 15.5), QPointF(8, 3));
         }},
        {QStringLiteral("copy_action"), [](QPainter& p) {
             page(p, QRectF(3, 2, 12, 15));
             page(p, QRectF(9, 7, 12, 15));
         }},
        {QStringLiteral("paste_action"), [](QPainter& p) {
             p.setPen(QPen(ink, 1.2));
             p.setBrush(warm);
             p.drawRoundedRect(QRectF(4, 4, 16, 18), 2, 2);
             p.setBrush(Qt::lightGray);
             p.drawRect(QRectF(8, 2, 8, 4));
             page(p, QRectF(8, 9, 10, 11));
         }},
        {QStringLiteral("delete_action"), [](QPainter& p) {
             p.setPen(QPen(QColor(200, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(6, 6), QPointF(18, 18));
             p.drawLine(QPointF(18, 6), QPointF(6, 18));
         }},
        {QStringLiteral("tile_horizontally_action"), [](QPainter& p) {
             p.setPen(QPen(ink, 1.2));
             p.setBrush(paper);
             p.drawRect(QRectF(3, 3, 18, 8));
             p.drawRect(QRectF(3, 13, 18, 8));
         }},
        {QStringLiteral("tile_vertically_action"), [](QPainter& p) {
             p.setPen(QPen(ink, 1.2));
             p.setBrush(paper);
             p.drawRect(QRectF(3, 3, 8, 18));
             p.drawRect(QRectF(13, 3, 8, 18));
         }},
        {QStringLiteral("cascade_action"), [](QPainter& p) {
             p.setPen(QPen(ink, 1.2));
             p.setBrush(paper);
             for (int i = 0; i < 3; ++i) p.drawRect(QRectF(3 + 4 * i, 3 + 4 * i, 11, 10));
         }},
        {QStringLiteral("make_stereogram_action"), [](QPainter& p) {
             p.setPen(Qt::NoPen);
             for (int y = 0; y < 6; ++y)
                 for (int x = 0; x < 6; ++x) {
                     p.setBrush(QColor::fromHsv((x * 47 + y * 83) % 360, 140, 230));
                     p.drawRect(QRectF(1 + 3.7 * x, 1 + 3.7 * y, 3.7, 3.7));
                 }
             p.setBrush(ink);
             p.drawEllipse(QRectF(6, 10, 3, 3));
             p.drawEllipse(QRectF(15, 10, 3, 3));
         }},
        {QStringLiteral("live_preview_action"), [](QPainter& p) {
             // A screen showing a stereogram, on its stand.
             p.setPen(QPen(ink, 1.2));
             p.setBrush(paper);
             p.drawRect(QRectF(2, 3, 20, 14));
             p.drawLine(QPointF(12, 17), QPointF(12, 20));
             p.drawLine(QPointF(7, 21), QPointF(17, 21));
             p.setPen(Qt::NoPen);
             for (int y = 0; y < 3; ++y)
                 for (int x = 0; x < 5; ++x) {
                     p.setBrush(QColor::fromHsv((x * 47 + y * 83) % 360, 140, 230));
                     p.drawRect(QRectF(4 + 3.2 * x, 5 + 3.4 * y, 3.2, 3.4));
                 }
         }},
        {QStringLiteral("configuration_action"), [](QPainter& p) {
             p.setPen(QPen(ink, 1.2));
             p.setBrush(Qt::lightGray);
             p.translate(12, 12);
             for (int i = 0; i < 8; ++i) {
                 p.drawRect(QRectF(-2, -11, 4, 5));
                 p.rotate(45);
             }
             p.drawEllipse(QRectF(-7, -7, 14, 14));
             p.setBrush(paper);
             p.drawEllipse(QRectF(-3, -3, 6, 6));
         }},
        {QStringLiteral("font_action"), [](QPainter& p) {
             QFont font(QStringLiteral("DejaVu Serif"));
             font.setPixelSize(18);
             font.setItalic(true);
             p.setFont(font);
             p.setPen(accent);
             p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, QStringLiteral("F"));
         }},
    };
    return table;
}

} // namespace

QIcon command_icon(const QString& action_name)
{
    const auto& table = drawers();
    const auto found = table.find(action_name);
    return found == table.end() ? QIcon() : draw_icon(found->second);
}

QIcon tool_icon(const DrawingToolRow& row)
{
    return draw_icon(row.paint_icon);
}

QIcon program_icon()
{
    return draw_icon([](QPainter& p) { paint_program_icon(p, 1); });
}

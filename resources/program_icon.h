#pragma once
// The program's icon, one design for the window and the desktop's icon
// theme: a yellow disc and square on a navy tile.
#include <QPainter>

// Paints it on a 24 x 24 grid (scale the painter to the size wanted), the
// figures' black edge `edge` grid units wide.
inline void paint_program_icon(QPainter& p, qreal edge)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 128));
    p.drawRoundedRect(QRectF(1, 1, 22, 22), 4, 4);
    p.setBrush(QColor(255, 255, 0));
    p.setPen(QPen(Qt::black, edge));
    p.drawEllipse(QRectF(4, 6, 10, 10));
    p.drawRect(QRectF(11, 10, 9, 9));
}

#include "veride/guides.h"
#include <QPainter>
#include <algorithm>

int guide_dot_radius(int separation_px)
{
    return std::max(4, separation_px / 16);
}

QImage picture_with_guides(const QImage& stereogram, int separation_px)
{
    if (stereogram.isNull()) return QImage();
    const int radius = guide_dot_radius(separation_px);
    const int strip = 4 * radius;
    QImage out(stereogram.width(), stereogram.height() + strip, stereogram.format());
    if (out.isNull()) return out;
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, strip, stereogram);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    const QPointF centre(stereogram.width() / 2.0, strip / 2.0);
    for (const double side : {-0.5, 0.5}) p.drawEllipse(centre + QPointF(side * separation_px, 0), radius, radius);
    p.end();
    return out;
}

// Draws the program's icon (the window icon's design: a yellow disc and
// square on a navy tile) at the sizes a desktop's icon theme asks for:
// make_icon <folder> <size>... writes <folder>/<size>x<size>/dioramix.png.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

QImage icon_at(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 128));
    p.drawRoundedRect(QRectF(1, 1, 22, 22), 4, 4);
    p.setBrush(QColor(255, 255, 0));
    // The edge grows with the icon but never gets thinner than a pixel.
    p.setPen(QPen(Qt::black, std::max(1.0, size / 24.0) * 24.0 / size));
    p.drawEllipse(QRectF(4, 6, 10, 10));
    p.drawRect(QRectF(11, 10, 9, 9));
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_icon <folder> <size>...\n");
        return 1;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString sub = QStringLiteral("%1x%1").arg(size);
        if (size < 1 || !folder.mkpath(sub) || !icon_at(size).save(folder.filePath(sub + "/dioramix.png"))) {
            std::fprintf(stderr, "make_icon: cannot write the %s icon into %s\n", argv[i], argv[1]);
            return 1;
        }
    }
    return 0;
}

// Draws the program's icon at the sizes a desktop's icon theme asks for:
// make_icon <folder> <size>... writes <folder>/<size>x<size>/dioramix.png.
#include "program_icon.h"
#include <QDir>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

QImage icon_at(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    // The edge grows with the icon but never gets thinner than a pixel.
    paint_program_icon(p, std::max(1.0, size / 24.0) * 24.0 / size);
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

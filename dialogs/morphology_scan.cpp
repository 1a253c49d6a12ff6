#include "dialogs/morphology_scan.h"
#include <QImage>
#include <algorithm>

namespace {

void widen(ChannelRanges& ranges, const uchar* pixel)
{
    for (int c = 0; c < 3; ++c) {
        ranges[2 * c] = std::min<std::int32_t>(ranges[2 * c], pixel[c]);
        ranges[2 * c + 1] = std::max<std::int32_t>(ranges[2 * c + 1], pixel[c]);
    }
}

} // namespace

ChannelRanges scan_channel_ranges(const QImage& image)
{
    ChannelRanges pure{256, 0, 256, 0, 256, 0};
    if (image.isNull() || image.width() < 1 || image.height() < 1) return pure;
    ChannelRanges grey = pure;
    bool shade_found = false; // a pure shade of one channel, black aside
    bool grey_found = false;
    const QImage pixels = image.convertToFormat(QImage::Format_RGB888);
    const int width = pixels.width();
    const int height = pixels.height();
    const uchar* corner = pixels.constScanLine(height - 1) + 3 * (width - 1);
    const uchar background[3] = {corner[0], corner[1], corner[2]};

    for (int y = 0; y < height; ++y) {
        const uchar* p = pixels.constScanLine(y);
        for (int x = 0; x < width; ++x, p += 3) {
            if (p[0] == background[0] && p[1] == background[1] && p[2] == background[2]) continue;
            const int lit = (p[0] != 0) + (p[1] != 0) + (p[2] != 0);
            if (lit <= 1) {
                widen(pure, p);
                shade_found = shade_found || lit == 1;
            }
            if (p[0] == p[1] && p[1] == p[2]) {
                widen(grey, p);
                grey_found = true;
            }
        }
    }
    // Black alone does not make a colour bitmap: a grey relief has black too.
    return !shade_found && grey_found ? grey : pure;
}

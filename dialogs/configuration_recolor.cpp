#include "dialogs/configuration_recolor.h"
#include <algorithm>
#include <array>

void replace_two_colors(QImage& image, StoredColor background_from, StoredColor background_to, StoredColor object_from,
                        StoredColor object_to)
{
    if (image.isNull()) return;
    if (image.format() != QImage::Format_RGB888) image = image.convertToFormat(QImage::Format_RGB888);
    auto bytes = [](StoredColor c) { return std::array<uchar, 3>{uchar(red_of(c)), uchar(green_of(c)), uchar(blue_of(c))}; };
    const auto bg_from = bytes(background_from);
    const auto bg_to = bytes(background_to);
    const auto obj_from = bytes(object_from);
    const auto obj_to = bytes(object_to);
    for (int y = 0; y < image.height(); ++y) {
        uchar* p = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x, p += 3) {
            const std::array<uchar, 3> px{p[0], p[1], p[2]};
            const std::array<uchar, 3>* to = px == bg_from ? &bg_to : px == obj_from ? &obj_to : nullptr;
            if (to) std::copy(to->begin(), to->end(), p);
        }
    }
}

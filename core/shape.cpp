#include "core/shape.h"
#include "core/raster.h"
#include <cstdint>

namespace {
ShapeId next_shape_id = 1;
}

TRazidoVavoz::TRazidoVavoz(TForm2* owner, TColor background)
    : id(next_shape_id++)
    , buffer(make_buffer(0, 0, background))
    , drawing(owner)
    , edit_mode(QStringLiteral("crop"))
{
    reset_morphology(morphology);
    for (int i = 0; i < 4; ++i) nodes[i].tag = i + 2;
}

void TRazidoVavoz::set_bounds(int left, int top, int width, int height)
{
    Left = left;
    Top = top;
    Width = width;
    Height = height;
}

void TRazidoVavoz::size_buffer(int width, int height, TColor fill)
{
    QImage pixels = make_buffer(width, height, fill);
    require_pixels(pixels);
    Width = width;
    Height = height;
    buffer = std::move(pixels);
}

const QImage& TRazidoVavoz::masked_image(TColor background) const
{
    if (masked_key_ == buffer.cacheKey() && masked_background_ == background && !masked_.isNull())
        return masked_;
    // The rows are read as three bytes a pixel: an image loaded or pasted in
    // another format is read through a 24-bit copy.
    const QImage source =
        buffer.format() == QImage::Format_RGB888 ? buffer : buffer.convertToFormat(QImage::Format_RGB888);
    const int w = source.width();
    const int h = source.height();
    masked_ = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
    // Without memory for it the object is not painted; the program goes on.
    if (masked_.isNull()) return masked_;
    const std::uint8_t br = red_of(background), bg = green_of(background), bb = blue_of(background);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* src = source.constScanLine(y);
        auto* dst = reinterpret_cast<std::uint32_t*>(masked_.scanLine(y));
        for (int x = 0; x < w; ++x, src += 3) {
            const bool transparent = src[0] == br && src[1] == bg && src[2] == bb;
            dst[x] = transparent ? 0u : (0xFF000000u | (std::uint32_t(src[0]) << 16) | (std::uint32_t(src[1]) << 8) | src[2]);
        }
    }
    masked_key_ = buffer.cacheKey();
    masked_background_ = background;
    return masked_;
}

bool shape_pixel_hit(const TRazidoVavoz& shape, int panel_x, int panel_y, TColor object_color)
{
    const int x = panel_x - shape.Left;
    const int y = panel_y - shape.Top;
    if (x < 0 || y < 0 || x >= shape.buffer.width() || y >= shape.buffer.height()) return false;
    const TColor c = pixel_color(shape.buffer, x, y);
    return c == clBlack || c == object_color;
}

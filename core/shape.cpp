#include "core/shape.h"
#include "core/raster.h"
#include <cstdint>

namespace {
ShapeId next_shape_id = 1;
}

Shape::Shape(DrawingWindow* owner, StoredColor background)
    : id(next_shape_id++)
    , buffer(make_buffer(0, 0, background))
    , drawing(owner)
{
    reset_morphology(morphology);
    for (int i = 0; i < 4; ++i) nodes[i].tag = i + 2;
}

void Shape::set_bounds(int left, int top, int width, int height)
{
    this->left = left;
    this->top = top;
    this->width = width;
    this->height = height;
}

void Shape::size_buffer(int width, int height, StoredColor fill)
{
    QImage pixels = make_buffer(width, height, fill);
    require_pixels(pixels);
    this->width = width;
    this->height = height;
    buffer = std::move(pixels);
}

namespace {

int tiles_across(int pixels)
{
    return (pixels + Shape::tile_size - 1) / Shape::tile_size;
}

// The part `area` of `buffer` with pixels of the background colour transparent.
QImage masked_part(const QImage& buffer, QRect area, StoredColor background)
{
    // The rows are read as three bytes a pixel: an image loaded or pasted in
    // another format is read through a 24-bit copy of the part.
    const QImage source = buffer.format() == QImage::Format_RGB888
        ? buffer
        : buffer.copy(area).convertToFormat(QImage::Format_RGB888);
    const QPoint from = buffer.format() == QImage::Format_RGB888 ? area.topLeft() : QPoint(0, 0);
    QImage masked(area.size(), QImage::Format_ARGB32_Premultiplied);
    // Without memory for it the part is not painted; the program goes on.
    if (masked.isNull() || source.isNull()) return QImage();
    const std::uint8_t br = red_of(background), bg = green_of(background), bb = blue_of(background);
    for (int y = 0; y < area.height(); ++y) {
        const std::uint8_t* src = source.constScanLine(from.y() + y) + 3 * from.x();
        auto* dst = reinterpret_cast<std::uint32_t*>(masked.scanLine(y));
        for (int x = 0; x < area.width(); ++x, src += 3) {
            const bool transparent = src[0] == br && src[1] == bg && src[2] == bb;
            dst[x] = transparent ? 0u : (0xFF000000u | (std::uint32_t(src[0]) << 16) | (std::uint32_t(src[1]) << 8) | src[2]);
        }
    }
    return masked;
}

} // namespace

const QImage& Shape::masked_tile(QPoint tile, StoredColor background) const
{
    static const QImage none;
    const int columns = tiles_across(buffer.width());
    const int rows = tiles_across(buffer.height());
    if (tile.x() < 0 || tile.y() < 0 || tile.x() >= columns || tile.y() >= rows) return none;
    if (masked_key_ != buffer.cacheKey() || masked_background_ != background
        || masked_tiles_.size() != std::size_t(columns) * rows) {
        masked_tiles_.assign(std::size_t(columns) * rows, QImage());
        masked_key_ = buffer.cacheKey();
        masked_background_ = background;
    }
    QImage& masked = masked_tiles_[std::size_t(tile.y()) * columns + tile.x()];
    if (masked.isNull()) {
        const QRect area = QRect(tile * tile_size, QSize(tile_size, tile_size)) & buffer.rect();
        masked = masked_part(buffer, area, background);
    }
    return masked;
}

bool shape_pixel_hit(const Shape& shape, int panel_x, int panel_y, StoredColor object_color)
{
    const int x = panel_x - shape.left;
    const int y = panel_y - shape.top;
    if (x < 0 || y < 0 || x >= shape.buffer.width() || y >= shape.buffer.height()) return false;
    const StoredColor c = pixel_color(shape.buffer, x, y);
    return c == color_black || c == object_color;
}

#include "core/transforms.h"
#include "core/object_size.h"
#include "core/raster.h"
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>

namespace {

// Objects are 24-bit; a buffer read in another format is worked on as a copy.
QImage rgb888(const QImage& image)
{
    return image.format() == QImage::Format_RGB888 ? image : image.convertToFormat(QImage::Format_RGB888);
}

// A new image of that size, or a null one when no object may be that large
// or it cannot be had.
QImage new_buffer(std::int64_t width, std::int64_t height, StoredColor fill)
{
    if (!is_usable_object_size(width, height)) return QImage();
    return make_buffer(int(width), int(height), fill);
}

struct TurnedCorners {
    double xs[4];
    double ys[4];
    QRect bounds;
};

std::optional<TurnedCorners> turned_corners(QRect bounds, int mirror_x, int mirror_y, double sin, double cos)
{
    TurnedCorners turned;
    const double w = bounds.width() - 1;
    const double h = bounds.height() - 1;
    const double cx = bounds.left() + w / 2;
    const double cy = bounds.top() + h / 2;
    const double offsets[4][2] = {{-w / 2, -h / 2}, {w / 2, -h / 2}, {-w / 2, h / 2}, {w / 2, h / 2}};
    for (int i = 0; i < 4; ++i) {
        const double dx = offsets[i][0], dy = offsets[i][1];
        turned.xs[i] = (dx * cos - dy * sin) * mirror_x + cx;
        turned.ys[i] = (dx * sin + dy * cos) * mirror_y + cy;
        // Panel positions are 32-bit; corners beyond that are refused.
        if (!(std::abs(turned.xs[i]) < INT_MAX / 2) || !(std::abs(turned.ys[i]) < INT_MAX / 2)) return std::nullopt;
    }
    const int min_x = int(*std::min_element(turned.xs, turned.xs + 4));
    const int max_x = int(*std::max_element(turned.xs, turned.xs + 4));
    const int min_y = int(*std::min_element(turned.ys, turned.ys + 4));
    const int max_y = int(*std::max_element(turned.ys, turned.ys + 4));
    turned.bounds = QRect(QPoint(min_x, min_y), QPoint(max_x, max_y));
    return turned;
}

bool is_background(const std::uint8_t* p, const std::uint8_t* bg)
{
    return p[0] == bg[0] && p[1] == bg[1] && p[2] == bg[2];
}

} // namespace

std::vector<StepEntry> step_table(QPoint from, QPoint to, int source_last)
{
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    const int sign_x = dx < 0 ? -1 : 1;
    const int sign_y = dy < 0 ? -1 : 1;
    const bool x_major = std::abs(dx) >= std::abs(dy);
    const int n = (x_major ? std::abs(dx) : std::abs(dy)) + 1;
    const int m = (x_major ? std::abs(dy) : std::abs(dx)) + 1;
    std::vector<StepEntry> table(static_cast<size_t>(n));

    int acc = m / 2;
    for (int k = 1; k < n; ++k) {
        acc += m;
        const bool minor = acc >= n;
        if (minor) acc -= n;
        if (x_major) {
            table[k].step_x = sign_x;
            table[k].step_y = minor ? sign_y : 0;
        } else {
            table[k].step_y = sign_y;
            table[k].step_x = minor ? sign_x : 0;
        }
    }

    const int s = std::max(0, source_last);
    if (n > 1) {
        int index = 0;
        if (n - 1 < s) {
            // More source pixels than steps: some are skipped.
            const int q = s / (n - 1);
            const int r = s % (n - 1);
            acc = (n - 1) / 2;
            for (int k = 0; k < n; ++k) {
                table[k].index = std::min(index, s);
                index += q;
                acc += r;
                if (acc >= n - 1) {
                    ++index;
                    acc -= n - 1;
                }
            }
        } else {
            // As many steps or more: some source pixels repeat.
            acc = (s + 1) / 2;
            for (int k = 0; k < n; ++k) {
                table[k].index = std::min(index, s);
                acc += s + 1;
                if (acc >= n) {
                    ++index;
                    acc -= n;
                }
            }
        }
    }
    return table;
}

bool map_parallelogram(const QImage& source_image, QImage& target, QPoint p1, QPoint p2, QPoint p3)
{
    try {
        const QImage source = rgb888(source_image);
        if (target.format() != QImage::Format_RGB888) target.convertTo(QImage::Format_RGB888);
        if (source.isNull() || target.isNull()) return true;

        const std::vector<StepEntry> columns = step_table(p1, p2, source.width() - 1);
        const std::vector<StepEntry> rows = step_table(p1, p3, source.height() - 1);

        // Column offsets from the row's start position, entry by entry.
        std::vector<QPoint> column_offset(columns.size());
        QPoint offset;
        for (size_t k = 0; k < columns.size(); ++k) {
            offset += QPoint(columns[k].step_x, columns[k].step_y);
            column_offset[k] = offset;
        }

        const unsigned target_width = unsigned(target.width());
        const unsigned target_height = unsigned(target.height());
        std::uint8_t* const bits = target.bits();
        const qsizetype line = target.bytesPerLine();
        auto put = [&](QPoint at, const std::uint8_t* pixel) {
            if (unsigned(at.x()) >= target_width || unsigned(at.y()) >= target_height) return;
            std::uint8_t* p = bits + at.y() * line + 3 * at.x();
            p[0] = pixel[0];
            p[1] = pixel[1];
            p[2] = pixel[2];
        };

        QPoint row_start = p1;
        QPoint previous_row_start = p1;
        for (size_t j = 0; j < rows.size(); ++j) {
            row_start += QPoint(rows[j].step_x, rows[j].step_y);
            if (rows[j].step_x != 0 && rows[j].step_y != 0) {
                // A diagonal step of the row edge leaves holes between this
                // row and the last one where the columns step diagonally too.
                const std::uint8_t* src = source.constScanLine((rows[j - 1].index + rows[j].index) / 2);
                for (size_t k = 1; k < columns.size(); ++k) {
                    if (columns[k].step_x == 0 || columns[k].step_y == 0) continue;
                    const QPoint sum = previous_row_start + column_offset[k - 1] + row_start + column_offset[k];
                    put(QPoint(sum.x() / 2, sum.y() / 2), src + 3 * ((columns[k - 1].index + columns[k].index) / 2));
                }
            }
            const std::uint8_t* src = source.constScanLine(rows[j].index);
            for (size_t k = 0; k < columns.size(); ++k) put(row_start + column_offset[k], src + 3 * columns[k].index);
            previous_row_start = row_start;
        }
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

std::optional<QRect> rotated_bounds(QRect bounds, int mirror_x, int mirror_y, double sin, double cos)
{
    const std::optional<TurnedCorners> turned = turned_corners(bounds, mirror_x, mirror_y, sin, cos);
    if (!turned) return std::nullopt;
    return turned->bounds;
}

TransformedPixels rotate_pixels(const QImage& buffer, QRect bounds, int mirror_x, int mirror_y, double sin,
                                double cos, StoredColor background)
{
    TransformedPixels result;
    const std::optional<TurnedCorners> turned = turned_corners(bounds, mirror_x, mirror_y, sin, cos);
    if (!turned) return result;
    const QRect to = turned->bounds;
    // Mapped straight into the new buffer: positions outside it are
    // skipped, so no working margin is needed around it.
    QImage target = new_buffer(to.width(), to.height(), background);
    if (target.isNull()) return result;
    auto corner = [&](int i) { return QPoint(int(turned->xs[i]) - to.left(), int(turned->ys[i]) - to.top()); };
    result.complete = map_parallelogram(buffer, target, corner(0), corner(1), corner(2));
    result.bounds = to;
    result.buffer = std::move(target);
    return result;
}

QImage stretch_pixels(const QImage& buffer, int width, int height)
{
    const QImage source = rgb888(buffer);
    if (source.isNull()) return QImage();
    QImage target = new_buffer(width, height, color_black);
    if (target.isNull()) return QImage();
    const std::int64_t source_width = source.width();
    const std::int64_t source_height = source.height();
    std::vector<int> source_byte(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x) source_byte[x] = 3 * int(x * source_width / width);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = source.constScanLine(int(y * source_height / height));
        std::uint8_t* dst = target.scanLine(y);
        for (int x = 0; x < width; ++x, dst += 3) std::memcpy(dst, src + source_byte[x], 3);
    }
    return target;
}

QImage crop_pixels(const QImage& buffer, int left, int right, int top, int bottom, StoredColor background)
{
    const QImage source = rgb888(buffer);
    const std::int64_t w = source.width(), h = source.height();
    QImage target = new_buffer(w - left - right, h - top - bottom, background);
    if (target.isNull()) return QImage();
    // The part of the target that the source covers.
    const std::int64_t first_x = std::max<std::int64_t>(0, -std::int64_t(left));
    const std::int64_t end_x = std::min<std::int64_t>(target.width(), w - left);
    const std::int64_t first_y = std::max<std::int64_t>(0, -std::int64_t(top));
    const std::int64_t end_y = std::min<std::int64_t>(target.height(), h - top);
    if (first_x >= end_x) return target;
    for (std::int64_t y = first_y; y < end_y; ++y) {
        const std::uint8_t* src = source.constScanLine(int(y + top)) + 3 * (first_x + left);
        std::memcpy(target.scanLine(int(y)) + 3 * first_x, src, size_t(3 * (end_x - first_x)));
    }
    return target;
}

std::optional<QRect> content_bounds(const QImage& buffer, StoredColor background)
{
    const QImage source = rgb888(buffer);
    const int w = source.width(), h = source.height();
    const std::uint8_t bg[3] = {std::uint8_t(red_of(background)), std::uint8_t(green_of(background)),
                                std::uint8_t(blue_of(background))};
    auto first_content = [&](int y) {
        const std::uint8_t* row = source.constScanLine(y);
        for (int x = 0; x < w; ++x)
            if (!is_background(row + 3 * x, bg)) return x;
        return -1;
    };
    int top = 0;
    while (top < h && first_content(top) < 0) ++top;
    if (top == h) return std::nullopt;
    int bottom = h - 1;
    while (first_content(bottom) < 0) --bottom;

    // Columns: each row only needs looking at outside what is already known.
    int left = w - 1, right = 0;
    for (int y = top; y <= bottom; ++y) {
        const std::uint8_t* row = source.constScanLine(y);
        for (int x = 0; x < left; ++x)
            if (!is_background(row + 3 * x, bg)) {
                left = x;
                break;
            }
        for (int x = w - 1; x > right; --x)
            if (!is_background(row + 3 * x, bg)) {
                right = x;
                break;
            }
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

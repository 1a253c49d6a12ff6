#include "core/object_size.h"
#include <QCoreApplication>

bool is_usable_object_size(std::int64_t width, std::int64_t height)
{
    return width >= 1 && height >= 1 && width <= max_side_px && height <= max_side_px
        && width * height <= max_object_pixels;
}

bool is_usable_object_place(std::int64_t left, std::int64_t top)
{
    return left >= -max_object_offset && left <= max_object_offset && top >= -max_object_offset
        && top <= max_object_offset;
}

void check_object_size(std::int64_t width, std::int64_t height)
{
    if (is_usable_object_size(width, height)) return;
    throw ObjectSizeError(QCoreApplication::translate("ObjectSize",
        "An object can be at most %1 x %1 pixels and %2 pixels in all; "
        "this one would be %3 x %4. Action canceled.")
        .arg(max_side_px)
        .arg(max_object_pixels)
        .arg(width)
        .arg(height));
}

void check_drawing_pixels(std::int64_t pixels)
{
    if (pixels <= drawing_pixel_budget) return;
    throw ObjectSizeError(QCoreApplication::translate("ObjectSize",
        "The objects of the drawing would hold %1 pixels; a drawing can hold "
        "at most %2. Action canceled.")
        .arg(pixels)
        .arg(drawing_pixel_budget));
}

void check_object_place(std::int64_t left, std::int64_t top)
{
    if (is_usable_object_place(left, top)) return;
    throw ObjectSizeError(QCoreApplication::translate("ObjectSize",
        "An object can lie at most %1 pixels from the panel's corner either way; "
        "this one would be at %2, %3. Action canceled.")
        .arg(max_object_offset)
        .arg(left)
        .arg(top));
}

QString drawing_too_large_text(std::int64_t pixels)
{
    return QCoreApplication::translate("ObjectSize",
        "The objects in this file need %1 pixels; a drawing can hold at most %2. "
        "The file is not opened.")
        .arg(pixels)
        .arg(drawing_pixel_budget);
}

#pragma once
// How large an object and a whole drawing may be. One rule for every way
// pixels are made or changed (drawing, transforms, paste, import, open) and
// for the file writer, so that nothing is kept that a drawing file could not
// hold or a reader would refuse; the drawing's budget also bounds what an
// opened file may make the program allocate.
#include "platform/errors.h"
#include <cstdint>

inline constexpr std::int32_t max_side_px = 32767;
inline constexpr std::int64_t max_object_pixels = std::int64_t(1) << 27;
// All objects of one drawing together: 268,435,456 pixels, about 800 MB of
// object pixels.
inline constexpr std::int64_t drawing_pixel_budget = std::int64_t(1) << 28;
// The largest drawing file read: every pixel of the budget stored at four
// bytes, with room for the records.
inline constexpr std::int64_t largest_drawing_file = drawing_pixel_budget * 4 + (std::int64_t(64) << 20);
// How far an object's corner may lie from the panel's, either way: far
// beyond any panel, yet a position plus a size, a node's margin or a zoom
// never leaves the range of an int.
inline constexpr std::int32_t max_object_offset = std::int32_t(1) << 24;
// What an image reader must be allowed to allocate (in MiB, Qt's unit) for
// an image of an object's largest size at four bytes a pixel.
inline constexpr int object_image_allocation_mb = int((max_object_pixels * 4) >> 20) + 1;

bool is_usable_object_size(std::int64_t width, std::int64_t height);
bool is_usable_object_place(std::int64_t left, std::int64_t top);

class ObjectSizeError : public DioramixError {
    using DioramixError::DioramixError;
};

// Throw ObjectSizeError with a message naming the size when an object of
// width x height, or a drawing whose objects hold `pixels`, breaks the rule.
void check_object_size(std::int64_t width, std::int64_t height);
void check_drawing_pixels(std::int64_t pixels);
// The same for an object's corner at (left, top).
void check_object_place(std::int64_t left, std::int64_t top);

// The message for a file whose objects ask for more than the budget.
QString drawing_too_large_text(std::int64_t pixels);

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

bool is_usable_object_size(std::int64_t width, std::int64_t height);

class ObjectSizeError : public DioramixError {
    using DioramixError::DioramixError;
};

// Throw ObjectSizeError with a message naming the size when an object of
// width x height, or a drawing whose objects hold `pixels`, breaks the rule.
void check_object_size(std::int64_t width, std::int64_t height);
void check_drawing_pixels(std::int64_t pixels);

// The message for a file whose objects ask for more than the budget.
QString drawing_too_large_text(std::int64_t pixels);

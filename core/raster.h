#pragma once
// Pixel algorithms on an object's 24-bit buffer (QImage::Format_RGB888,
// scanline bytes R, G, B). They work on raw rows and never touch pixels
// outside the image.
#include "core/color.h"
#include <QImage>

// A fresh 24-bit buffer of w x h pixels, all of colour `fill`; null when
// the memory cannot be had.
QImage make_buffer(int width, int height, StoredColor fill);

// Throws std::bad_alloc ("Out of memory." for the user) when an image that
// should hold pixels holds none because its memory could not be had.
void require_pixels(const QImage& image);

// Restores the colour convention of an object's pixels in place: pixels of
// `background` stay; any other pixel becomes `edge` when it lies on the
// bitmap's border or touches a background pixel (left, right, above, below,
// as seen at the moment it is examined, rows top down, columns left to
// right), else `fill`.
void outline_pass(QImage& image, StoredColor background, StoredColor fill, StoredColor edge);

// Every pixel of colour `from` becomes `to`.
void replace_color(QImage& image, StoredColor from, StoredColor to);

// The colour of one pixel (the caller keeps x, y inside the image).
StoredColor pixel_color(const QImage& image, int x, int y);

#pragma once
// An object's silhouette as stored in drawing files and clipboard blocks: a
// complete BMP file image, 1 bit per pixel, colour table black then white.
#include "core/color.h"
#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <optional>

// The BMP bytes of the buffer's silhouette against `background`; the same
// buffer always gives the same bytes.
QByteArray silhouette_bmp(const QImage& buffer, StoredColor background);

// The length of the BMP image at the start of `bytes`, found from its own
// headers (file header, information header of 12 or 40 bytes and more,
// bit-field masks, colour table, pixel rows). Nothing when the headers are
// incomplete or unusable, the image is compressed, it claims more bytes
// than `bytes` holds, or its pixel rows need more bytes than it carries.
std::optional<qint64> bmp_length(QByteArrayView bytes);

// Decodes exactly the image's bytes; a null image when they do not decode.
QImage decode_bmp(QByteArrayView image);

// The object's 24-bit buffer of width x height from a silhouette in today's
// colours. A silhouette of another size is placed unscaled at the top-left
// corner; the rest of the buffer is background.
QImage buffer_from_stored_silhouette(const QImage& silhouette, int width, int height, StoredColor background,
                                     StoredColor object_color);

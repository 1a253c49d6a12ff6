#pragma once
// A fast PNG writer for large many-coloured pictures, where Qt's writer
// spends most of a render's whole time: rows are stored unfiltered (a
// stereogram's dots give filters nothing to predict) and deflated by ISA-L
// in pieces on several threads, joined into one zlib stream. Any PNG
// reader reads the result.
#include <QByteArray>
#include <QImage>
#include <QString>

// Encodes `image` as a PNG file's bytes into `png`: 8-bit grey as grey, any
// other format as 8-bit RGB. Returns the error text, empty on success.
// `threads` 0 uses every core.
QString encode_png_fast(const QImage& image, QByteArray& png, int threads = 0);

#pragma once
// A fast PNG writer for large many-coloured pictures, where Qt's writer
// spends most of a render's whole time: rows are stored unfiltered (a
// stereogram's dots give filters nothing to predict) and deflated by ISA-L
// in pieces on several threads, joined into one zlib stream. Any PNG
// reader reads the result.
#include <QImage>
#include <QString>

// Writes `image` (any format; written as 8-bit RGB) to `path`. Returns the
// error text, empty on success. `threads` 0 uses every core.
QString write_png_fast(const QImage& image, const QString& path, int threads = 0);

#pragma once
// Reading a file that a drawing or a setting names, such as a morphology
// bitmap or a pattern tile. Such a path may name a FIFO or a device, whose
// opening or reading waits for ever for a writer; only a regular file is
// read, and at most a given number of bytes of it.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>

namespace platform {

struct FileContents {
    QByteArray bytes;
    QString error; // the platform's reason when not read; empty when read
};

// The whole file at `path` (through symbolic links) when it is a regular
// file of at most `most_bytes` bytes.
FileContents read_regular_file(const QString& path, qint64 most_bytes);

// The largest file read for an image of at most `most_pixels` pixels
// (a picture's file is smaller than its pixels at four bytes each).
qint64 largest_image_file(std::int64_t most_pixels);

// The image in `bytes`, decoded as `format` (empty: by its content) when it
// has at most `most_pixels` pixels; Qt's decoders are allowed what such an
// image needs. A null image and the reason otherwise.
QImage decode_image(const QByteArray& bytes, const QByteArray& format, std::int64_t most_pixels, QString& error);

// The image in the regular file at `path`, decoded from its bytes; a null
// image and the reason when it cannot be read.
QImage read_image_file(const QString& path, std::int64_t most_pixels, QString& error);

} // namespace platform

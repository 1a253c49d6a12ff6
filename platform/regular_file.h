#pragma once
// Reading a file that a drawing or a setting names, such as a morphology
// bitmap or a pattern tile. Such a path may name a FIFO or a device, whose
// opening or reading waits for ever for a writer; only a regular file is
// read, and at most a given number of bytes of it.
#include <QByteArray>
#include <QImage>
#include <QString>

namespace platform {

struct FileContents {
    QByteArray bytes;
    QString error; // the platform's reason when not read; empty when read
};

// The whole file at `path` (through symbolic links) when it is a regular
// file of at most `most_bytes` bytes.
FileContents read_regular_file(const QString& path, qint64 most_bytes);

// The largest image file read: as many bytes as Qt allows a decoded image
// (a picture's file is smaller than its pixels).
qint64 largest_image_file();

// The image in the regular file at `path`, decoded from its bytes; a null
// image and the reason when it cannot be read.
QImage read_image_file(const QString& path, QString& error);

} // namespace platform

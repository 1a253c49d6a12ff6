#pragma once
// The one way pictures reach files, for the result window and dioramix-cli
// alike: encoded in memory, then written durably, so that a failed write
// (a full disk) leaves the file that was there whole and no partial file,
// and says the platform's reason.
#include <QByteArray>
#include <QImage>
#include <QString>

// Writes `image` to `path` as `format`, "png" (the renderer's own fast
// writer) or another format Qt writes, such as "bmp". Returns the reason
// it was not written, empty on success.
QString write_picture_file(const QImage& image, const QString& path, const QByteArray& format);

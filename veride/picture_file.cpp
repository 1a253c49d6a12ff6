#include "veride/picture_file.h"
#include "platform/durable_file.h"
#include "veride/png_writer.h"
#include <QBuffer>
#include <QImageWriter>

QString write_picture_file(const QImage& image, const QString& path, const QByteArray& format)
{
    QByteArray bytes;
    // PNG takes most of a large render's whole time through Qt's writer
    // (0.3 s at zlib level 1 for a 3000 x 2000 textured picture, 0.65 s at
    // its default level): the renderer's own encoder, unfiltered rows
    // deflated by ISA-L on every core, does it in a fraction of that.
    if (format == "png") {
        const QString error = encode_png_fast(image, bytes);
        if (!error.isEmpty()) return error;
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, format);
        if (!writer.write(image)) return writer.errorString();
    }
    return platform::write_file_durably(path, bytes).error;
}

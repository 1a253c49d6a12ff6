#include "veride/export.h"
#include "platform/durable_file.h"
#include "veride/guides.h"
#include "veride/png_writer.h"
#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>

RenderResult render_inputs(const RenderInputs& inputs, const PictureOptions& options, const RenderControl& control)
{
    if (inputs.depth) return render_depth_map(*inputs.depth, inputs.settings, inputs.seed, control, options);
    return render_scene(inputs.objects, inputs.settings, inputs.seed, control, options,
                        bitmap_reader_for(inputs.drawing_folder));
}

QImage laid_out_picture(const RenderResult& result, const PictureOptions& options)
{
    const bool guides = options.guides && options.layout == PictureLayout::Stereogram;
    return guides ? picture_with_guides(result.stereogram, result.zero_separation) : result.stereogram;
}

QByteArray picture_format(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("bmp") ? suffix.toLatin1() : QByteArray();
}

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

QString export_stereogram(const RenderResult& result, const PictureOptions& options, const QString& path,
                          const QByteArray& format)
{
    return write_picture_file(laid_out_picture(result, options), path, format);
}

QString export_depth_map(const RenderResult& result, const QString& path)
{
    return write_picture_file(depth_map_image(result.depth), path, "png");
}

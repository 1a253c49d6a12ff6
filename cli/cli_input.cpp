#include "cli/cli_input.h"
#include "cli/drawing_input.h"
#include "cli/model_input.h"
#include "files/model_file.h"
#include "veride/grey_png.h"
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <cmath>
#include <new>

std::int32_t millimetres_at(int pixels, int dpi)
{
    return std::max<std::int32_t>(1, static_cast<std::int32_t>(std::floor(pixels * 25.4 / dpi + 0.5)));
}

CliInput read_cli_input(const QString& path, int dpi, DepthLimits limits, const ModelView& model)
{
    CliInput input;
    if (!QFileInfo::exists(path)) {
        input.error = QStringLiteral("%1 does not exist").arg(path);
        return input;
    }
    if (QFileInfo(path).suffix().compare(QLatin1String("sdf"), Qt::CaseInsensitive) == 0)
        return read_drawing_input(path);
    if (is_model_file_name(path)) return read_model_input(path, model, dpi, limits);

    // A grey PNG, what depth maps mostly are, has a reader of its own.
    QImage image;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        image = read_grey_png(file, qint64(QImageReader::allocationLimit()) * 1024 * 1024);
    QImageReader reader(path);
    if (image.isNull()) image = reader.read();
    if (image.isNull()) {
        input.error = QStringLiteral("cannot read %1 as an image: %2").arg(path, reader.errorString());
        return input;
    }
    input.width_px = image.width();
    input.height_px = image.height();
    input.width_mm = millimetres_at(image.width(), dpi);
    input.height_mm = millimetres_at(image.height(), dpi);
    // A map of many heights keeps many runs.
    try {
        input.depth = depth_map_from_image(image, limits);
    } catch (const std::bad_alloc&) {
        input.error = QStringLiteral("there is not enough memory to read %1 as a depth map").arg(path);
    }
    return input;
}

#include "cli/cli_info.h"
#include "files/drawing_reader.h"
#include "files/silhouette_bmp.h"
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// The object's pixels as opening rebuilds them: the silhouette placed at
// the object's top-left and every pixel of it that is not pure white
// counted, whatever the image's depth or palette.
qint64 object_pixels(const DrawingEntry& entry)
{
    const QImage rebuilt =
        buffer_from_stored_silhouette(entry.silhouette, entry.record.width, entry.record.height, color_white, color_black);
    qint64 count = 0;
    for (int y = 0; y < rebuilt.height(); ++y) {
        const uchar* p = rebuilt.constScanLine(y);
        for (int x = 0; x < rebuilt.width(); ++x, p += 3) count += (p[0] & p[1] & p[2]) != 0xFF;
    }
    return count;
}

// Only the fields of the morphology's mode mean anything.
QJsonObject morphology_json(const Morphology& m)
{
    // Any value but 1 is a morphology bitmap to the program.
    QJsonObject json{{QStringLiteral("flat_surface"), m.flat_surface == 1 ? 1 : 0}};
    if (m.flat_surface == 1) {
        QJsonArray heights;
        for (const std::int32_t h : m.edge_heights) heights.append(h);
        json.insert(QStringLiteral("edge_heights"), heights);
        return json;
    }
    json.insert(QStringLiteral("bitmap_file"), QString::fromLocal8Bit(m.bitmap_file));
    json.insert(QStringLiteral("main_color"), m.main_color);
    json.insert(QStringLiteral("min_color_value"), m.min_color_value);
    json.insert(QStringLiteral("max_color_value"), m.max_color_value);
    json.insert(QStringLiteral("min_color_height"), m.min_color_height);
    json.insert(QStringLiteral("max_color_height"), m.max_color_height);
    json.insert(QStringLiteral("clip_enabled"), m.clip_enabled);
    if (m.clip_enabled == 1) json.insert(QStringLiteral("clip_height"), m.clip_height);
    return json;
}

} // namespace

InfoOutcome describe_drawing_bytes(const QByteArray& bytes, const QString& path)
{
    const DrawingContents contents = read_drawing(bytes);
    if (!contents.header) return {{}, QStringLiteral("%1: too short for a drawing file").arg(path)};
    if (contents.problem != ReadProblem::None) return {{}, QStringLiteral("%1: %2").arg(path, describe(contents))};
    const DrawingHeader& header = *contents.header;
    QJsonArray objects;
    for (const DrawingEntry& entry : contents.entries) {
        const ShapeRecord& r = entry.record;
        objects.append(QJsonObject{{QStringLiteral("name"), QString::fromLatin1(r.name)},
                                   {QStringLiteral("left"), r.left},
                                   {QStringLiteral("top"), r.top},
                                   {QStringLiteral("width"), r.width},
                                   {QStringLiteral("height"), r.height},
                                   {QStringLiteral("silhouette_pixels"), object_pixels(entry)},
                                   {QStringLiteral("morphology"), morphology_json(r.morphology)}});
    }
    const QJsonObject json{{QStringLiteral("width_mm"), header.width_mm},
                           {QStringLiteral("height_mm"), header.height_mm},
                           {QStringLiteral("width_px"), header.width_px},
                           {QStringLiteral("height_px"), header.height_px},
                           // A count of 0 or less opens as an empty drawing.
                           {QStringLiteral("object_count"), static_cast<int>(contents.entries.size())},
                           {QStringLiteral("objects"), objects}};
    return {QJsonDocument(json).toJson(QJsonDocument::Indented), {}};
}

InfoOutcome describe_drawing_file(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {{}, QStringLiteral("%1: %2").arg(path, file.errorString())};
    return describe_drawing_bytes(file.readAll(), path);
}

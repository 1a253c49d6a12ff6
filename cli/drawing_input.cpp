#include "cli/drawing_input.h"
#include "files/drawing_reader.h"
#include <QFile>
#include <QFileInfo>

CliInput read_drawing_input(const QString& path)
{
    CliInput input;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        input.error = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return input;
    }
    const QByteArray bytes = file.readAll();
    const DrawingContents contents = read_drawing(bytes);
    // A damaged drawing is not rendered in part: the picture would silently
    // lack the objects after the damage.
    if (!contents.header || contents.problem != ReadProblem::None) {
        input.error = QStringLiteral("%1 is not a readable drawing file: %2").arg(path, describe(contents));
        return input;
    }
    const DrawingHeader& header = *contents.header;
    if (!is_usable_panel(header)) {
        input.error = QStringLiteral("%1 describes a panel of %2 x %3 pixels, which cannot be rendered")
                          .arg(path).arg(header.width_px).arg(header.height_px);
        return input;
    }
    input.drawing_folder = QFileInfo(path).absolutePath();
    input.width_mm = header.width_mm;
    input.height_mm = header.height_mm;
    input.width_px = header.width_px;
    input.height_px = header.height_px;
    for (const DrawingEntry& entry : contents.entries) {
        const ShapeRecord& r = entry.record;
        input.objects.push_back(scene_object_from_silhouette(QString::fromLatin1(r.name),
                                                             QRect(r.left, r.top, r.width, r.height),
                                                             entry.silhouette, r.morphology));
    }
    return input;
}

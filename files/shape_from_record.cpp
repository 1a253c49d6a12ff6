#include "files/shape_from_record.h"
#include "core/naming.h"
#include "core/shape.h"
#include "files/silhouette_bmp.h"

std::unique_ptr<Shape> shape_from_entry(DrawingWindow* drawing, const DrawingEntry& entry, StoredColor background,
                                               StoredColor object_color)
{
    auto shape = std::make_unique<Shape>(drawing, background);
    const ShapeRecord& r = entry.record;
    shape->set_bounds(r.left, r.top, r.width, r.height);
    assign_morphology(r.morphology, shape->morphology);
    shape->buffer = buffer_from_stored_silhouette(entry.silhouette, r.width, r.height, background, object_color);
    return shape;
}

QString stored_or_default_name(const QByteArray& stored, const QStringList& existing)
{
    const QString name = QString::fromLatin1(stored);
    return is_valid_identifier(name) && !existing.contains(name) ? name : next_shape_name(existing);
}

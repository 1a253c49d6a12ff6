#pragma once
// Objects read back from a drawing file, a clipboard block or an import:
// the stored record and silhouette made into an object in today's colours.
#include "core/color.h"
#include "files/drawing_reader.h"
#include <QStringList>
#include <memory>

class DrawingWindow;
class Shape;

// A new object of `drawing`, not yet in its list, with the record's place
// and size, the morphology fields of the record's mode, and its pixels
// rebuilt from the silhouette. Its name is left to the caller.
std::unique_ptr<Shape> shape_from_entry(DrawingWindow* drawing, const DrawingEntry& entry, StoredColor background,
                                               StoredColor object_color);

// The stored name when it is a valid object name not used by `existing`,
// else the drawing's next default name.
QString stored_or_default_name(const QByteArray& stored, const QStringList& existing);

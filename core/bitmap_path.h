#pragma once
// Where a drawing's morphology bitmap is read from. A drawing keeps the path
// as it was chosen, often relative to the folder the program ran in; moved,
// or opened from elsewhere, it finds its bitmaps beside itself. The program,
// its live preview, the renderer library and dioramix-cli all read bitmaps
// through this one rule, so they agree on which objects have their shapes.
#include <QString>

// `stored` as it is when it names a file; else, in `drawing_folder`, the
// stored relative path, then the stored file name; else `stored` unchanged.
// An empty folder (a drawing never saved) looks nowhere else.
QString resolve_bitmap_path(const QString& stored, const QString& drawing_folder);

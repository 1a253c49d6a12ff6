#pragma once
// One object of a drawing: a raster figure with its position, size, name,
// pixels and height morphology. It is a plain object; the drawing panel
// paints it and routes mouse events to the drawing's handlers for it.
#include "core/color.h"
#include "core/morphology.h"
#include <QImage>
#include <QRect>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

class DrawingWindow;

// Identifies an object for the undo history; a rebuilt object takes over
// the identity of the one it replaces. Never reused within a run.
using ShapeId = std::uint64_t;

enum class NodeCursor { SizeAll, Rotate, Crop };

// What dragging the selected object's nodes does. A click on the object
// advances the mode Crop -> Resize -> Rotate -> Crop; Crop is also the
// mode of an object whose nodes are hidden.
enum class EditMode { Crop, Resize, Rotate };

// A 6 x 6 corner square shown while the object is selected. Nodes belong to
// the panel's plane, so they can stand half outside their object.
struct ShapeNode {
    static constexpr int size = 6;
    int tag = 0; // 2 top-left, 3 top-right, 4 bottom-left, 5 bottom-right
    int left = 0;
    int top = 0;
    StoredColor color = color_black;
    NodeCursor cursor = NodeCursor::SizeAll;
    bool visible = false;
    QString hint;

    QRect rect() const { return QRect(left, top, size, size); }
};

class Shape {
public:
    static constexpr int object_tag = 1;

    Shape(DrawingWindow* drawing, StoredColor background);

    ShapeId id;
    QString name;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    QImage buffer; // width x height, Format_RGB888
    DrawingWindow* drawing;
    Morphology morphology;
    EditMode edit_mode = EditMode::Crop;
    int rotation_center_x = 0;
    int rotation_center_y = 0;
    QString hint;
    std::array<ShapeNode, 4> nodes; // top-left, top-right, bottom-left, bottom-right

    QRect bounds() const { return QRect(left, top, width, height); }
    void set_bounds(int left, int top, int width, int height);

    // Sizes the object and gives it a fresh buffer of that size in `fill`.
    void size_buffer(int width, int height, StoredColor fill);

    // Objects are painted in square tiles of this many pixels a side.
    static constexpr int tile_size = 256;

    // Tile (column, row) of the buffer with the background colour
    // transparent, ready to paint; tiles at the right and bottom edges are
    // cut to the buffer. Each is worked out when first painted and kept
    // until the buffer or the background colour changes, so a large object
    // costs only what has been seen of it.
    const QImage& masked_tile(QPoint tile, StoredColor background) const;

private:
    mutable std::vector<QImage> masked_tiles_; // row by row; null until painted
    mutable qint64 masked_key_ = 0;
    mutable StoredColor masked_background_ = -1;
};

// Whether the object's pixel at panel position (x, y) belongs to it: black
// (its edge) or the object colour (its body).
bool shape_pixel_hit(const Shape& shape, int panel_x, int panel_y, StoredColor object_color);

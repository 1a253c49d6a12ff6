#pragma once
// A drag on a drawing's panel with the rubber-band outline it shows: moving,
// resizing, rotating or cropping the selected object by its body or one of
// its nodes, and spanning the frame of a new figure. The drawing applies
// what the drag ends with.
#include "document/outline_layer.h"
#include <QPoint>
#include <array>

class DrawingWindow;
class Shape;

enum class DragAction { None, Move, Resize, Rotate, Crop };

class ShapeDrag {
public:
    explicit ShapeDrag(DrawingWindow& drawing) : drawing_(drawing) {}

    DragAction action() const { return action_; }
    // The outline corner that follows the mouse: 1 top-left, 2 top-right,
    // 3 bottom-left, 4 bottom-right.
    int node() const { return node_; }
    // Whether a rotate drag is under way.
    bool rotating() const { return rotating_; }
    // Top-left, top-right, bottom-left, bottom-right, in panel pixels.
    const std::array<QPoint, 4>& outline() const { return outline_; }
    QPoint rotation_center() const { return rotation_center_; }
    // The square of the distance from the centre to the object's corners.
    double rotation_radius2() const { return rotation_radius2_; }
    int rotation_angle() const { return rotation_angle_; }

    // Shows the outline, or takes it away when it is shown: the figure
    // being spanned, else the outline's closed path, with the panel's pen.
    void draw_outline();

    // A frame drag from `pos`; `figure` paints what the frame will hold.
    void start_frame(QPoint pos, FigurePainter figure);
    // A press on the object or one of its nodes: the outline takes the
    // object's rectangle. A press on a rotate node also fixes the centre
    // the outline turns about.
    void press_on(Shape& shape, bool rotate_node);
    // The first move with the button held on the object or its node `tag`
    // decides what the drag does.
    void start(const Shape& shape, int tag);
    // Follows the mouse by `delta` (a turn to `pos`); false when no drag
    // of an object is under way.
    bool follow(QPoint pos, QPoint delta);
    // Moves the corner that follows the mouse by `delta`.
    void resize_outline(QPoint delta);
    // Ends the drag, also when what it ends with fails.
    void end();

private:
    void move_outline(QPoint delta);
    void rotate_outline(QPoint pos);
    void set_outline(int left, int top, int right, int bottom);
    void show_outline_bounds();

    DrawingWindow& drawing_;
    DragAction action_ = DragAction::None;
    int node_ = 4;
    bool rotating_ = false;
    std::array<QPoint, 4> outline_{};
    FigurePainter figure_ = nullptr; // while spanning a frame
    QPoint rotation_center_;         // the object's centre while a rotate drag lasts
    double rotation_radius2_ = 0;
    int rotation_angle_ = 0;
    // Turn the dragged corner's offset into those of the three other
    // corners, clockwise from it.
    struct CornerPair {
        double c = 0;
        double s = 0;
    };
    std::array<CornerPair, 3> corner_pairs_{};
};

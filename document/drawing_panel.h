#pragma once
// The one widget of a drawing: it paints the background, the objects back
// to front with the background colour transparent, the visible nodes, the
// outline layer and the caret; and it hands every mouse event to the
// drawing's handlers with the node, object or panel that received it.
// It is shown at a zoom factor: the widget is the panel's pixel size times
// the zoom, and everything the drawing knows is in panel pixels.
#include "core/color.h"
#include "document/outline_layer.h"
#include <QFont>
#include <QWidget>
#include <optional>

class DrawingWindow;
class Shape;
struct ShapeNode;

// Who receives a mouse event: the panel (tag 0), an object (tag 1) or one
// of its nodes (tags 2 to 5).
struct MouseTarget {
    Shape* shape = nullptr;
    int tag = 0;
    bool is_panel() const { return tag == 0; }
    bool operator==(const MouseTarget&) const = default;
    // The panel position the target's handlers count positions from.
    QPoint origin() const;
};

class DrawingPanel : public QWidget {
    Q_OBJECT
    // How many stereograms of the drawing were made: the renderer reads it
    // through the request's panel to seed the dots.
    Q_PROPERTY(int render_count READ render_count)
public:
    DrawingPanel(DrawingWindow* owner, int width_px, int height_px, int width_mm, int height_mm);

    DrawingWindow* drawing;
    int render_count() const;
    int width_mm;
    int height_mm;

    // The drawing's size in panel pixels, whatever the zoom.
    QSize pixel_size() const { return pixel_size_; }
    double zoom() const { return zoom_; }
    // Shows the panel `factor` times its pixel size.
    void set_zoom(double factor);
    // Panel pixel under a widget position, and the widget area that shows
    // an area of panel pixels.
    QPoint to_panel(QPointF widget_pos) const;
    QRect to_widget(QRect panel_area) const;
    // The panel pixels any part of which shows in a widget area.
    QRect to_panel_area(QRect widget_area) const;
    // Where a node shows: nodes keep their size on screen at every zoom,
    // centred on their object's corner pixel.
    QRect node_rect(const ShapeNode& node) const;
    // Repaints what shows `panel_area`, with any node standing on its edge.
    void update_pixels(QRect panel_area);

    // The panel canvas: outline pen, text font and colour.
    OutlinePen pen{Qt::SolidLine, 1};
    QFont font;
    StoredColor font_color = 0;
    OutlineLayer layer;

    // The control that receives moves and the release until it lets go.
    std::optional<MouseTarget> capture;
    void capture_mouse() { capture = MouseTarget{}; }
    void release_capture() { capture.reset(); }

    // The text caret: width and height, placed on the panel.
    void create_caret(int width, int height);
    void set_caret_pos(int x, int y);
    void destroy_caret();
    bool has_caret() const { return caret_.has_value(); }
    QRect caret_rect() const { return caret_.value_or(QRect()); }

    // Repaints everything; the outline layer is cleared.
    void repaint_panel();

    // Who is under a widget position: a node where it shows, else the
    // front-most object whose rectangle holds the panel pixel, else the panel.
    MouseTarget target_at(QPointF widget_pos) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    MouseTarget receiver_at(QPointF widget_pos) const;
    void show_hint_of(const MouseTarget& target);
    std::optional<QRect> caret_;
    QSize pixel_size_;
    double zoom_ = 1;
};

#pragma once
// The one widget of a drawing: it paints the background, the objects back
// to front with the background colour transparent, the visible nodes, the
// outline layer and the caret; and it hands every mouse event to the
// drawing's handlers with the node, object or panel that received it.
#include "core/color.h"
#include "document/outline_layer.h"
#include <QFont>
#include <QWidget>
#include <optional>

class TForm2;
class TRazidoVavoz;

// Who receives a mouse event: the panel (tag 0), an object (tag 1) or one
// of its nodes (tags 2 to 5).
struct MouseTarget {
    TRazidoVavoz* shape = nullptr;
    int tag = 0;
    bool is_panel() const { return tag == 0; }
    bool operator==(const MouseTarget&) const = default;
};

class TDrawPanel : public QWidget {
    Q_OBJECT
    // How many stereograms of the drawing were made: the renderer reads it
    // through the request's panel to seed the dots.
    Q_PROPERTY(int render_count READ render_count)
public:
    TDrawPanel(TForm2* owner, int width_px, int height_px, int width_mm, int height_mm);

    TForm2* owner_form;
    int render_count() const;
    int width_mm;
    int height_mm;

    // The panel canvas: outline pen, text font and colour.
    OutlinePen pen{Qt::SolidLine, 1};
    QFont font;
    TColor font_color = 0;
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

    MouseTarget target_at(QPoint pos) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    MouseTarget receiver_at(QPoint pos) const;
    void show_hint_of(const MouseTarget& target);
    std::optional<QRect> caret_;
};

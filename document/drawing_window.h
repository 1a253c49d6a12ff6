#pragma once
// A drawing window: one open drawing with its panel, its objects in z-order,
// the drawing tools' state, selection, keyboard, z-order and closing.
#include "core/color.h"
#include "document/drawing_panel.h"
#include "document/history.h"
#include <QList>
#include <QPoint>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>

class QMenu;
class QAction;
class DrawingHost;
class PanelView;
class Shape;

class DrawingWindow : public QWidget {
    Q_OBJECT
public:
    explicit DrawingWindow(DrawingHost* host);
    ~DrawingWindow() override;

    DrawingHost* host;

    int last_mouse_x = 0;
    int last_mouse_y = 0;
    // The same position in panel pixels: drags follow the mouse by it, so
    // that they keep to the panel's pixels at every zoom.
    QPoint last_mouse_pos;
    int drag_node = 4;
    std::uint8_t drag_action = 0;
    int render_count = 0;
    DrawingPanel* panel = nullptr;
    PanelView* view = nullptr; // scrolls and zooms the panel
    QList<Shape*> shapes; // back-most first; owned
    UndoHistory history{this};
    std::array<QPoint, 4> outline{}; // top-left, top-right, bottom-left, bottom-right
    QStringList polygon_points;
    Shape* current_shape = nullptr;
    std::uint8_t typing = 0;
    int text_x = 0;
    int text_y = 0;
    QString typed_text;
    int caret_index = 1;
    double rotate_radius2 = 0;
    int rotate_center_x = 0; // the object's centre while a rotate drag lasts
    int rotate_center_y = 0;
    // Turn the dragged corner's offset into those of the three other
    // corners, clockwise from it.
    struct CornerPair {
        double c = 0;
        double s = 0;
    };
    std::array<CornerPair, 3> corner_pairs{};
    int rotate_angle = 0;
    std::uint8_t dragging = 0; // 1 during a rotate drag
    std::uint8_t panel_missing = 1;
    std::uint8_t has_file = 0;
    std::uint8_t modified = 0;
    // Set when the file was read only in part: a plain Save then asks for a
    // path, so that the damaged original is not overwritten unasked.
    bool save_needs_path = false;

    QMenu* shape_popup = nullptr;
    QAction* N4 = nullptr;          // "&Properties"
    QAction* SetHeights1 = nullptr; // "Set &Morphology"
    QAction* N6 = nullptr;
    QAction* N7 = nullptr;
    QAction* N8 = nullptr;
    QAction* N9 = nullptr;
    QAction* Copy1 = nullptr; // "&Cut"
    QAction* Copy2 = nullptr; // "Co&py"
    QAction* N5 = nullptr;
    QAction* Move1 = nullptr;
    QAction* Resize1 = nullptr;
    QAction* Crop1 = nullptr;
    QAction* Rotate1 = nullptr;
    QAction* AdjustEdges1 = nullptr;

    // Window events. The host calls them when the drawing becomes or stops
    // being the active one: activation makes the panel on its first time.
    void FormActivate();
    void FormDeactivate();

    // Every change of the scene (objects made, deleted, moved, transformed,
    // restacked, renamed, recoloured, pasted, imported, their morphology,
    // undo, redo, a file read) goes through here and raises
    // content_changed(). `modified` keeps its own meaning beside it.
    void mark_changed();

    // Selection and commands on the current object.
    void select_shape(Shape* shape);
    void deselect_shape(Shape* shape);
    void delete_shape();
    void current_shape_bringtofront();
    void current_shape_sendtoback();
    void current_shape_oneup();
    void current_shape_onedown();
    void rename_shape(Shape* shape, const QString& name);

    // Popup commands that show a dialog for the current object.
    void N4Click();          // "Set &Morphology"
    void SetHeights1Click(); // "&Properties"
    void Move1Click();
    void Rotate1Click();
    void Crop1Click();
    void Resize1Click();

    // The rubber-band outline on the panel's outline layer, with the panel
    // canvas's pen (drawing it twice restores the panel).
    void draw_outline();

    // Objects.
    Shape* create_shape(int left, int top, int width, int height);
    // Takes the object out of the drawing and destroys it.
    void remove_shape(Shape* shape);
    Shape* find_shape(ShapeId id) const;
    QStringList shape_names() const;
    // The pixels of all objects together.
    std::int64_t object_pixels() const;
    // Throws the user's message when `shape` (or, when null, a new object)
    // at width x height would break the object-size rule or the drawing's
    // budget; changes nothing.
    void check_pixels_for(const Shape* shape, std::int64_t width, std::int64_t height) const;

    // Edit modes of the selected object.
    void cycle_edit_mode(Shape* shape);
    void hide_nodes(Shape* shape);
    // Turns the outline about the object's centre towards the mouse during
    // a rotate drag; `pos` in panel pixels.
    void rotate_step(QPoint pos);

    // Transforms of one object. Each records one undo entry when it changes
    // the object and returns whether it did; sizes of 0 or less and crops
    // that would leave no pixel are refused, and a result too large for an
    // object or for the drawing throws the user's message, changing nothing.
    bool move_shape(Shape* shape, int x, int y);
    bool resize_shape(Shape* shape, int width, int height);
    // New place and size as one change, as a resize drag from any corner gives.
    bool resize_shape_to(Shape* shape, int left, int top, int width, int height);
    bool crop_shape(Shape* shape, int left, int right, int top, int bottom);
    bool rotate_shape(Shape* shape, int mirror_x, int mirror_y, double sin, double cos);
    bool adjust_edges(Shape* shape);
    void AdjustEdges1Click();

    // Mouse handlers of the objects and their nodes (sender = target).
    void shape_mousedown(const MouseTarget& sender, Qt::MouseButton button, int x, int y, QPoint screen);
    void shape_mousemove(const MouseTarget& sender, Qt::MouseButtons buttons, int x, int y, QPoint screen);
    void shape_mouseup(const MouseTarget& sender, Qt::MouseButton button, int x, int y, QPoint screen);
    void shape_dblclicked(const MouseTarget& sender);

    // Mouse handlers of the panel, positions in panel pixels.
    void panel_mousedown(Qt::MouseButton button, QPoint pos, QPoint screen);
    void panel_mousemove(Qt::MouseButtons buttons, QPoint pos, QPoint screen);
    void panel_mouseup(Qt::MouseButton button, QPoint pos, QPoint screen);
    void pointer_released(Qt::MouseButton button);

    // Keyboard.
    void key_pressed(QChar character);
    void key_up(int key, Qt::KeyboardModifiers modifiers);

    // Routing from the panel.
    void dispatch_mouse_down(const MouseTarget& target, Qt::MouseButton button, QPoint pos, QPoint screen);
    void dispatch_mouse_move(const MouseTarget& target, Qt::MouseButtons buttons, QPoint pos, QPoint screen);
    void dispatch_mouse_up(const MouseTarget& target, Qt::MouseButton button, QPoint pos, QPoint screen);
    void activate_for_mouse();
    void show_hint(const QString& hint);
    Qt::CursorShape tool_cursor() const;

    // The part of the panel shown in the window, in panel pixels.
    QRect visible_area() const;
    void show_bounds_text(int left, int top, int width, int height);
    void show_zoom_text();
    // The object popup for the keyboard: at the current object's top-left,
    // or the nearest point of it in the window.
    void popup_at_current_shape();
    void place_caret();
    void redraw_typed_text();
    void create_panel();

    // The clipboard (document/clipboard.cpp): copy and cut need a current
    // object; paste adds the clipboard's object on top, unselected.
    void copy_shape();
    void cut_shape();
    void paste_shape();

signals:
    // A text for a panel of the status bar (0 hints, 1 place and size).
    void status_text(int panel, const QString& text);
    // The object list changed (its names or order); the current object too.
    void shapes_changed();
    void current_shape_changed();
    void content_changed();
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void build_popup();
    void change_pixels(Shape* shape, const QString& caption, QRect bounds, QImage pixels);
    void repaint_shape_area(QRect area);
    void remember_mouse(QPoint pos, QPoint screen);
    void outline_move(QPoint pos);
    void outline_resize(QPoint pos);
    void set_outline(int left, int top, int right, int bottom);
    void finish_text();
    void close_polygon();
    void zorder_changed();
};

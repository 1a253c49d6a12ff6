#pragma once
// A drawing window: one open drawing with its panel, its objects in z-order,
// the drawing tools' state, selection, keyboard, z-order and closing.
#include "core/color.h"
#include "document/drawing_panel.h"
#include "document/history.h"
#include "document/polygon_entry.h"
#include "document/shape_drag.h"
#include "document/text_entry.h"
#include <QList>
#include <QPoint>
#include <QStringList>
#include <QWidget>
#include <cstdint>

class QMenu;
class QAction;
class DrawingHost;
struct DrawingToolRow;
class PanelView;
class Shape;

class DrawingWindow : public QWidget {
    Q_OBJECT
public:
    explicit DrawingWindow(DrawingHost* host);
    ~DrawingWindow() override;

    DrawingHost* host;

    int render_count = 0;
    DrawingPanel* panel = nullptr;
    PanelView* view = nullptr; // scrolls and zooms the panel
    QList<Shape*> shapes; // back-most first; owned
    UndoHistory history{this};
    Shape* current_shape = nullptr;
    std::uint8_t has_file = 0;
    std::uint8_t modified = 0;
    // Set when the file was read only in part: a plain Save then asks for a
    // path, so that the damaged original is not overwritten unasked.
    bool save_needs_path = false;

    // The object popup.
    QMenu* shape_popup = nullptr;
    QAction* properties_action = nullptr;
    QAction* morphology_action = nullptr;
    QAction* round_edges_action = nullptr;
    QAction* bring_to_front_action = nullptr;
    QAction* send_to_back_action = nullptr;
    QAction* one_up_action = nullptr;
    QAction* one_down_action = nullptr;
    QAction* cut_action = nullptr;
    QAction* copy_action = nullptr;
    QAction* delete_action = nullptr;
    QAction* move_action = nullptr;
    QAction* resize_action = nullptr;
    QAction* crop_action = nullptr;
    QAction* rotate_action = nullptr;
    QAction* adjust_edges_action = nullptr;

    // What the mouse and keyboard are doing on the panel.
    const ShapeDrag& drag() const { return drag_; }
    TextEntry& text_entry() { return text_entry_; }
    const TextEntry& text_entry() const { return text_entry_; }
    const PolygonEntry& polygon_entry() const { return polygon_entry_; }
    // A new tool is chosen: the text or polygon under way is dropped.
    void drop_tool_input();

    // The host calls them when the drawing becomes or stops being the
    // active one: activation makes the panel on its first time.
    void on_activated();
    void on_deactivated();

    // Every change of the scene (objects made, deleted, moved, transformed,
    // restacked, renamed, recoloured, pasted, imported, their morphology,
    // undo, redo, a file read) goes through here and raises
    // content_changed(). `modified` keeps its own meaning beside it.
    void mark_changed();

    // Selection and commands on the current object.
    void select_shape(Shape* shape);
    void deselect_shape(Shape* shape);
    void delete_shape();
    void bring_to_front();
    void send_to_back();
    void move_one_up();
    void move_one_down();
    void rename_shape(Shape* shape, const QString& name);

    // Popup commands that show a dialog for the current object.
    void edit_morphology();
    // Heights from the distance to the object's edge, kept in a morphology
    // bitmap the drawing's host writes.
    void round_edges();
    void edit_properties();
    void ask_move();
    void ask_rotate();
    void ask_crop();
    void ask_resize();

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
    // The popup's Adjust Edges: the current object, its resize nodes shown after.
    void adjust_current_edges();

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
    // Gives the object `morphology` as one undoable change, when it differs.
    void change_morphology(Shape* shape, const Morphology& morphology);
    void change_pixels(Shape* shape, const QString& caption, QRect bounds, QImage pixels);
    void repaint_shape_area(QRect area);
    void remember_mouse(QPoint pos, QPoint screen);
    void zorder_changed();
    const DrawingToolRow& tool() const;

    // The last mouse position, in panel pixels (drags follow the mouse by
    // it, so that they keep to the panel's pixels at every zoom) and on the
    // screen.
    QPoint last_mouse_pos_;
    QPoint last_mouse_screen_;
    ShapeDrag drag_{*this};
    TextEntry text_entry_{*this};
    PolygonEntry polygon_entry_{*this};
};

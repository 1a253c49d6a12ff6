#pragma once
// Where the drawing windows lie in the main window's area: the Window
// menu's arrangements, the place of a new window, and keeping every window
// inside the area when it narrows.
#include <Qt>

class QMdiArea;
class QMdiSubWindow;
class QRect;
class QSize;

class WindowArrangement {
public:
    explicit WindowArrangement(QMdiArea& area) : area_(area) {}

    void cascade();
    void tile(Qt::Orientation orientation);
    void minimize_all();
    void arrange_icons();
    // A new window goes to the first staggered place no other window starts at.
    void place_new_window(QMdiSubWindow* window);
    // Pulls drawing windows back inside the area after it narrows.
    void keep_drawings_inside();

private:
    // The size that shows a drawing window's whole panel, within the area.
    QSize window_size_for_panel(QMdiSubWindow* window) const;
    // Staggered places for drawing windows: the index-th is one title bar
    // further right and down than the one before, inside the area.
    int cascade_step(QMdiSubWindow* window) const;
    QRect cascade_slot(QMdiSubWindow* window, int index) const;
    int free_cascade_slot(QMdiSubWindow* window) const;

    QMdiArea& area_;
};

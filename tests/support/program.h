#pragma once
// The whole program for a test: the main window shown offscreen with every
// seam scripted, and helpers that drive it as a user would.
#include "app/main_window.h"
#include "support/scripted_ui.h"
#include "support/settings_guard.h"
#include <QPoint>
#include <memory>

class DrawingWindow;
class Shape;
class QWidget;

// Waits for a shown window to become active. One that never does fails the
// running test: keys and clicks meant for it would go nowhere.
bool wait_until_active(QWidget* window);

class Program {
public:
    Program();
    ~Program();

    // First, so that the settings come back once the window is gone.
    SettingsGuard settings;
    ScriptedUi ui;
    std::unique_ptr<MainWindow> main;

    // New, as the menu command runs it, its panel 400 x 300 pixels; returns
    // the new drawing window.
    DrawingWindow* new_drawing();
    // An answer to the panel dimensions dialog: a custom size in pixels, Ok.
    static std::function<int(QDialog&)> panel_answer(int width_px, int height_px);
    void choose_tool(QAction* tool);

    // Mouse on a drawing's panel, positions in panel pixels: each goes to
    // where that pixel shows at the panel's zoom and scroll.
    void press(DrawingWindow* drawing, QPoint at, Qt::MouseButton button = Qt::LeftButton);
    void move(DrawingWindow* drawing, QPoint to);
    void release(DrawingWindow* drawing, QPoint at, Qt::MouseButton button = Qt::LeftButton);
    void click(DrawingWindow* drawing, QPoint at, Qt::MouseButton button = Qt::LeftButton);
    void drag(DrawingWindow* drawing, QPoint from, QPoint to);

    // Keys to the focused drawing window.
    void type(DrawingWindow* drawing, const QString& text);
    void key(DrawingWindow* drawing, Qt::Key key);

    // A rectangle drawn with the rectangle tool, the pointer chosen again.
    Shape* draw_rectangle(DrawingWindow* drawing, QRect bounds);
    Shape* draw_ellipse(DrawingWindow* drawing, QRect bounds);
};

#pragma once
// The whole program for a test: the main window shown offscreen with every
// seam scripted, and helpers that drive it as a user would.
#include "app/parentform.h"
#include "support/scripted_ui.h"
#include "support/settings_guard.h"
#include <QPoint>
#include <memory>

class TForm2;
class TRazidoVavoz;
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
    std::unique_ptr<TMainForm> main;

    // New, as the menu command runs it, its panel 400 x 300 pixels; returns
    // the new drawing window.
    TForm2* new_drawing();
    // An answer to the panel dimensions dialog: a custom size in pixels, Ok.
    static std::function<int(QDialog&)> panel_answer(int width_px, int height_px);
    void choose_tool(QAction* tool);

    // Mouse on a drawing's panel, positions in panel pixels: each goes to
    // where that pixel shows at the panel's zoom and scroll.
    void press(TForm2* drawing, QPoint at, Qt::MouseButton button = Qt::LeftButton);
    void move(TForm2* drawing, QPoint to);
    void release(TForm2* drawing, QPoint at, Qt::MouseButton button = Qt::LeftButton);
    void click(TForm2* drawing, QPoint at, Qt::MouseButton button = Qt::LeftButton);
    void drag(TForm2* drawing, QPoint from, QPoint to);

    // Keys to the focused drawing window.
    void type(TForm2* drawing, const QString& text);
    void key(TForm2* drawing, Qt::Key key);

    // A rectangle drawn with the rectangle tool, the pointer chosen again.
    TRazidoVavoz* draw_rectangle(TForm2* drawing, QRect bounds);
    TRazidoVavoz* draw_ellipse(TForm2* drawing, QRect bounds);
};

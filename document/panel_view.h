#pragma once
// The scroll area a drawing's panel sits in: scroll bars when the panel is
// larger than the window (the wheel scrolls, Shift+wheel sideways), neutral
// grey round a smaller panel, and the zoom: steps from 1/16 to 16, each
// doubling the last, chosen by command or by Ctrl+wheel about the mouse.
#include <QScrollArea>

class DrawingPanel;

class PanelView : public QScrollArea {
    Q_OBJECT
public:
    explicit PanelView(QWidget* parent);

    // Zoom steps: the factor is 2 to the power of the step.
    static constexpr int min_zoom_step = -4;
    static constexpr int max_zoom_step = 4;

    void set_panel(DrawingPanel* panel);
    int zoom_step() const { return step_; }
    // Zooms to `step`, keeping the panel pixel at `anchor` (a viewport
    // position) under it where the scroll bars allow.
    void zoom_to(int step, QPoint anchor);
    void zoom_in();
    void zoom_out();
    void actual_size();
    // The largest step at which the whole panel fits in the window.
    void zoom_to_fit();

    // The part of the panel shown in the window, in panel pixels.
    QRect visible_panel_area() const;
    // Where a panel pixel shows, as a position in the viewport.
    QPoint viewport_position(QPoint panel_pixel) const;

    QSize sizeHint() const override;

signals:
    void zoom_changed();

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    DrawingPanel* panel_ = nullptr;
    int step_ = 0;
    int zoom_wheel_delta_ = 0; // a touchpad's small steps, until they make a notch
};

#include "document/panel_view.h"
#include "document/drawing_panel.h"
#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

namespace {
// One notch of an ordinary mouse wheel.
constexpr int wheel_notch = 120;
} // namespace

PanelView::PanelView(QWidget* parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setAlignment(Qt::AlignCenter);
    // The keyboard stays with the drawing window.
    setFocusPolicy(Qt::NoFocus);
    // Neutral grey round the panel, so that its edge shows on any colour.
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    setPalette(grey);
    setBackgroundRole(QPalette::Window);
    viewport()->setBackgroundRole(QPalette::Window);
    viewport()->setAutoFillBackground(true);
}

void PanelView::set_panel(DrawingPanel* panel)
{
    panel_ = panel;
    setWidget(panel);
}

void PanelView::zoom_to(int step, QPoint anchor)
{
    step = qBound(min_zoom_step, step, max_zoom_step);
    if (!panel_ || step == step_) return;
    const QPointF at = QPointF(panel_->mapFrom(viewport(), anchor)) / panel_->zoom();
    step_ = step;
    // A shown panel's new size reaches the scroll bars at once.
    panel_->set_zoom(std::ldexp(1.0, step));
    horizontalScrollBar()->setValue(int(std::floor(at.x() * panel_->zoom())) - anchor.x());
    verticalScrollBar()->setValue(int(std::floor(at.y() * panel_->zoom())) - anchor.y());
    emit zoom_changed();
}

void PanelView::zoom_in()
{
    zoom_to(step_ + 1, viewport()->rect().center());
}

void PanelView::zoom_out()
{
    zoom_to(step_ - 1, viewport()->rect().center());
}

void PanelView::actual_size()
{
    zoom_to(0, viewport()->rect().center());
}

void PanelView::zoom_to_fit()
{
    if (!panel_) return;
    const QSize room = maximumViewportSize();
    const QSize pixels = panel_->pixel_size();
    int step = max_zoom_step;
    while (step > min_zoom_step
           && (std::ldexp(pixels.width(), step) > room.width() || std::ldexp(pixels.height(), step) > room.height()))
        --step;
    zoom_to(step, viewport()->rect().center());
}

QRect PanelView::visible_panel_area() const
{
    if (!panel_) return QRect();
    const QRect shown = QRect(panel_->mapFrom(viewport(), QPoint(0, 0)), viewport()->size()) & panel_->rect();
    return shown.isEmpty() ? QRect() : panel_->to_panel_area(shown);
}

QPoint PanelView::viewport_position(QPoint panel_pixel) const
{
    return panel_ ? panel_->mapTo(viewport(), panel_->to_widget(QRect(panel_pixel, QSize(1, 1))).topLeft()) : QPoint();
}

QSize PanelView::sizeHint() const
{
    // The whole panel at its zoom: cascading windows size them from it.
    return panel_ ? panel_->size() : QScrollArea::sizeHint();
}

void PanelView::wheelEvent(QWheelEvent* event)
{
    const QPoint delta = event->angleDelta();
    const int amount = delta.y() != 0 ? delta.y() : delta.x();
    if (event->modifiers() & Qt::ControlModifier) {
        zoom_wheel_delta_ += amount;
        const int notches = zoom_wheel_delta_ / wheel_notch;
        zoom_wheel_delta_ -= notches * wheel_notch;
        if (notches != 0) zoom_to(step_ + notches, event->position().toPoint());
        event->accept();
    } else if (event->modifiers() & Qt::ShiftModifier) {
        QScrollBar* bar = horizontalScrollBar();
        bar->setValue(bar->value() - amount * QApplication::wheelScrollLines() * bar->singleStep() / wheel_notch);
        event->accept();
    } else {
        QScrollArea::wheelEvent(event);
    }
}

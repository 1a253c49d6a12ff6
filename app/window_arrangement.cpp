#include "app/window_arrangement.h"
#include "document/drawing_panel.h"
#include "document/drawing_window.h"
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

void WindowArrangement::tile(Qt::Orientation orientation)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : area_.subWindowList())
        if (!window->isMinimized()) windows << window;
    if (windows.isEmpty()) return;
    const QRect area = area_.viewport()->rect();
    const int n = static_cast<int>(windows.size());
    for (int i = 0; i < n; ++i) {
        windows[i]->showNormal();
        // Tiling horizontally stacks wide windows one above the other.
        if (orientation == Qt::Horizontal)
            windows[i]->setGeometry(0, area.height() * i / n, area.width(), area.height() * (i + 1) / n - area.height() * i / n);
        else
            windows[i]->setGeometry(area.width() * i / n, 0, area.width() * (i + 1) / n - area.width() * i / n, area.height());
    }
}

QSize WindowArrangement::window_size_for_panel(QMdiSubWindow* window) const
{
    const auto* drawing = qobject_cast<const DrawingWindow*>(window->widget());
    if (!drawing || !drawing->panel) return window->size();
    // The window shows the whole panel where the client area allows.
    const QSize frame = window->size() - drawing->size();
    return (drawing->panel->size() + frame).boundedTo(area_.viewport()->size());
}

int WindowArrangement::cascade_step(QMdiSubWindow* window) const
{
    // One title bar with the frame above it, so that each window's caption
    // stays in view below the next one.
    const int top = window->contentsMargins().top();
    if (top > 0) return top;
    QStyleOptionTitleBar options;
    options.initFrom(window);
    return window->style()->pixelMetric(QStyle::PM_TitleBarHeight, &options, window);
}

QRect WindowArrangement::cascade_slot(QMdiSubWindow* window, int index) const
{
    const QSize area = area_.viewport()->size();
    const int step = qMax(1, cascade_step(window));
    // Back to the top-left before the windows are left less than half the area.
    const int places = qMax(1, qMin(area.width(), area.height()) / 2 / step + 1);
    const int offset = (index % places) * step;
    const QSize room(qMax(1, area.width() - offset), qMax(1, area.height() - offset));
    return QRect(QPoint(offset, offset), window_size_for_panel(window).boundedTo(room));
}

int WindowArrangement::free_cascade_slot(QMdiSubWindow* window) const
{
    QList<QPoint> taken;
    for (QMdiSubWindow* other : area_.subWindowList())
        if (other != window && other->isVisible() && !other->isMinimized()) taken << other->pos();
    // The first place no other window starts at, so that none hides another whole.
    for (int index = 0; index <= taken.size(); ++index)
        if (!taken.contains(cascade_slot(window, index).topLeft())) return index;
    return static_cast<int>(taken.size());
}

void WindowArrangement::place_new_window(QMdiSubWindow* window)
{
    if (!window->isMaximized()) window->setGeometry(cascade_slot(window, free_cascade_slot(window)));
}

void WindowArrangement::cascade()
{
    int index = 0;
    for (QMdiSubWindow* window : area_.subWindowList(QMdiArea::StackingOrder)) {
        if (!window->isVisible() || window->isMinimized()) continue;
        if (window->isMaximized()) window->showNormal();
        window->setGeometry(cascade_slot(window, index++));
    }
}

void WindowArrangement::minimize_all()
{
    for (QMdiSubWindow* window : area_.subWindowList()) window->showMinimized();
}

void WindowArrangement::arrange_icons()
{
    const QRect area = area_.viewport()->rect();
    int x = 0;
    int y = area.bottom();
    for (QMdiSubWindow* window : area_.subWindowList()) {
        if (!window->isMinimized()) continue;
        const QSize size = window->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= size.height();
        }
        window->move(x, y - size.height() + 1);
        x += size.width();
    }
}

void WindowArrangement::keep_drawings_inside()
{
    // A drawing window sticking out of a narrowed area would hide its
    // title-bar buttons: it moves back in, and shrinks when it must.
    const QRect area = area_.viewport()->rect();
    for (QMdiSubWindow* window : area_.subWindowList()) {
        if (window->isMaximized() || window->isMinimized()) continue;
        QRect place = window->geometry();
        place.setSize(place.size().boundedTo(area.size()));
        place.moveRight(std::min(place.right(), area.right()));
        place.moveBottom(std::min(place.bottom(), area.bottom()));
        place.moveTo(std::max(place.left(), 0), std::max(place.top(), 0));
        if (place != window->geometry()) window->setGeometry(place);
    }
}

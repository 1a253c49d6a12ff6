#include "document/drawing_panel.h"
#include "core/configuration.h"
#include "core/shape.h"
#include "document/drawing_window.h"
#include "document/node_cursors.h"
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace {

// Only the tiles of the object that the dirty area (panel pixels) reaches.
void paint_shape(QPainter& painter, const Shape& shape, QRect dirty, StoredColor background)
{
    const QRect seen = (shape.bounds() & dirty).translated(-shape.left, -shape.top);
    if (seen.isEmpty()) return;
    constexpr int t = Shape::tile_size;
    for (int row = seen.top() / t; row <= seen.bottom() / t; ++row)
        for (int column = seen.left() / t; column <= seen.right() / t; ++column)
            painter.drawImage(shape.left + column * t, shape.top + row * t,
                              shape.masked_tile(QPoint(column, row), background));
}

} // namespace

QPoint MouseTarget::origin() const
{
    if (tag == Shape::object_tag) return QPoint(shape->left, shape->top);
    if (tag > Shape::object_tag) return shape->nodes[tag - 2].rect().topLeft();
    return QPoint();
}

DrawingPanel::DrawingPanel(DrawingWindow* owner, int width_px, int height_px, int width_mm_, int height_mm_)
    : QWidget(owner)
    , drawing(owner)
    , width_mm(width_mm_)
    , height_mm(height_mm_)
    , font(QStringLiteral("Arial"), 50)
    , font_color(Configuration.object_color)
{
    font.setStyleStrategy(QFont::NoAntialias);
    pixel_size_ = QSize(qMax(1, width_px), qMax(1, height_px));
    setFixedSize(pixel_size_);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void DrawingPanel::set_zoom(double factor)
{
    zoom_ = factor;
    setFixedSize(qMax(1, int(std::ceil(pixel_size_.width() * factor))),
                 qMax(1, int(std::ceil(pixel_size_.height() * factor))));
    update();
}

QPoint DrawingPanel::to_panel(QPointF widget_pos) const
{
    return QPoint(int(std::floor(widget_pos.x() / zoom_)), int(std::floor(widget_pos.y() / zoom_)));
}

QRect DrawingPanel::to_widget(QRect panel_area) const
{
    const int left = int(std::floor(panel_area.left() * zoom_));
    const int top = int(std::floor(panel_area.top() * zoom_));
    // A pixel seen at less than its size still takes one screen pixel.
    const int right = qMax(left + 1, int(std::ceil((panel_area.right() + 1) * zoom_)));
    const int bottom = qMax(top + 1, int(std::ceil((panel_area.bottom() + 1) * zoom_)));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QRect DrawingPanel::to_panel_area(QRect widget_area) const
{
    const QPoint last(int(std::ceil((widget_area.right() + 1) / zoom_)) - 1,
                      int(std::ceil((widget_area.bottom() + 1) / zoom_)) - 1);
    return QRect(to_panel(widget_area.topLeft()), last) & QRect(QPoint(), pixel_size_);
}

QRect DrawingPanel::node_rect(const ShapeNode& node) const
{
    const int half = ShapeNode::size / 2;
    const QPoint corner(node.left + half, node.top + half);
    const QPoint centre(int(std::floor((corner.x() + 0.5) * zoom_)), int(std::floor((corner.y() + 0.5) * zoom_)));
    return QRect(centre - QPoint(half, half), QSize(ShapeNode::size, ShapeNode::size));
}

void DrawingPanel::update_pixels(QRect panel_area)
{
    const int margin = ShapeNode::size;
    update(to_widget(panel_area).adjusted(-margin, -margin, margin, margin));
}

void DrawingPanel::create_caret(int width, int height)
{
    caret_ = QRect(0, 0, width, height);
    update();
}

void DrawingPanel::set_caret_pos(int x, int y)
{
    if (!caret_) return;
    caret_->moveTo(x, y);
    update();
}

void DrawingPanel::destroy_caret()
{
    caret_.reset();
    update();
}

void DrawingPanel::repaint_panel()
{
    layer.clear();
    update();
}

void DrawingPanel::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    const StoredColor background = Configuration.background_color;
    painter.fillRect(dirty, to_qcolor(background));

    // The panel pixels the dirty area shows, painted scaled without
    // smoothing, so that pixels stay pixels.
    const QRect seen = to_panel_area(dirty);
    const DrawingWindow& owner = *drawing;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.scale(zoom_, zoom_);
    for (const Shape* shape : owner.shapes) paint_shape(painter, *shape, seen, background);
    painter.restore();

    painter.setPen(QPen(Qt::black, 1));
    for (const Shape* shape : owner.shapes) {
        for (const ShapeNode& node : shape->nodes) {
            if (!node.visible) continue;
            painter.setBrush(to_qcolor(node.color));
            painter.drawRect(node_rect(node).adjusted(0, 0, -1, -1));
        }
    }
    layer.paint(painter, zoom_);
    if (caret_) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(to_widget(*caret_), QColor(0xFF, 0xFF, 0xFF));
    }
}

MouseTarget DrawingPanel::target_at(QPointF widget_pos) const
{
    const QList<Shape*>& shapes = drawing->shapes;
    const QPoint on_screen = widget_pos.toPoint();
    for (qsizetype i = shapes.size() - 1; i >= 0; --i) {
        Shape* shape = shapes[i];
        for (int n = 3; n >= 0; --n) {
            const ShapeNode& node = shape->nodes[n];
            if (node.visible && node_rect(node).contains(on_screen)) return MouseTarget{shape, node.tag};
        }
    }
    const QPoint pos = to_panel(widget_pos);
    for (qsizetype i = shapes.size() - 1; i >= 0; --i) {
        if (shapes[i]->bounds().contains(pos)) return MouseTarget{shapes[i], Shape::object_tag};
    }
    return MouseTarget{};
}

MouseTarget DrawingPanel::receiver_at(QPointF widget_pos) const
{
    return capture ? *capture : target_at(widget_pos);
}

void DrawingPanel::show_hint_of(const MouseTarget& target)
{
    QString hint;
    QCursor shape = drawing->tool_cursor();
    if (target.tag == Shape::object_tag) {
        hint = target.shape->hint;
    } else if (target.tag > Shape::object_tag) {
        const ShapeNode& node = target.shape->nodes[target.tag - 2];
        hint = node.hint;
        shape = node_cursor(node.cursor);
    }
    setCursor(shape);
    drawing->show_hint(hint);
}

void DrawingPanel::mousePressEvent(QMouseEvent* event)
{
    drawing->activate_for_mouse();
    const MouseTarget target = receiver_at(event->position());
    if (!capture) capture = target;
    drawing->dispatch_mouse_down(target, event->button(), to_panel(event->position()),
                                    event->globalPosition().toPoint());
}

void DrawingPanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    drawing->activate_for_mouse();
    const MouseTarget target = receiver_at(event->position());
    if (!capture) capture = target;
    if (target.tag == Shape::object_tag && event->button() == Qt::LeftButton)
        drawing->shape_dblclicked(target);
    // A double-click is also a press, as for any other click.
    drawing->dispatch_mouse_down(target, event->button(), to_panel(event->position()),
                                    event->globalPosition().toPoint());
}

void DrawingPanel::mouseMoveEvent(QMouseEvent* event)
{
    const MouseTarget target = receiver_at(event->position());
    if (event->buttons() == Qt::NoButton) show_hint_of(target_at(event->position()));
    drawing->dispatch_mouse_move(target, event->buttons(), to_panel(event->position()),
                                    event->globalPosition().toPoint());
}

void DrawingPanel::mouseReleaseEvent(QMouseEvent* event)
{
    const MouseTarget target = receiver_at(event->position());
    // Letting go of the button ends any capture, as it does for every control.
    release_capture();
    drawing->dispatch_mouse_up(target, event->button(), to_panel(event->position()),
                                  event->globalPosition().toPoint());
}

void DrawingPanel::leaveEvent(QEvent*)
{
    drawing->show_hint(QString());
}

int DrawingPanel::render_count() const
{
    return drawing ? drawing->render_count : 0;
}

#include "document/drawpanel.h"
#include "core/configuration.h"
#include "core/shape.h"
#include "document/design.h"
#include "document/node_cursors.h"
#include <QMouseEvent>
#include <QPainter>

namespace {

void paint_node(QPainter& painter, const ShapeNode& node)
{
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(to_qcolor(node.color));
    painter.drawRect(node.left, node.top, ShapeNode::size - 1, ShapeNode::size - 1);
}

// Only the tiles of the object that the dirty area reaches.
void paint_shape(QPainter& painter, const TRazidoVavoz& shape, QRect dirty, TColor background)
{
    const QRect seen = (shape.bounds() & dirty).translated(-shape.Left, -shape.Top);
    if (seen.isEmpty()) return;
    constexpr int t = TRazidoVavoz::tile_size;
    for (int row = seen.top() / t; row <= seen.bottom() / t; ++row)
        for (int column = seen.left() / t; column <= seen.right() / t; ++column)
            painter.drawImage(shape.Left + column * t, shape.Top + row * t,
                              shape.masked_tile(QPoint(column, row), background));
}

} // namespace

TDrawPanel::TDrawPanel(TForm2* owner, int width_px, int height_px, int width_mm_, int height_mm_)
    : QWidget(owner)
    , owner_form(owner)
    , width_mm(width_mm_)
    , height_mm(height_mm_)
    , font(QStringLiteral("Arial"), 50)
    , font_color(Configuration.object_color)
{
    font.setStyleStrategy(QFont::NoAntialias);
    setFixedSize(qMax(1, width_px), qMax(1, height_px));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void TDrawPanel::create_caret(int width, int height)
{
    caret_ = QRect(0, 0, width, height);
    update();
}

void TDrawPanel::set_caret_pos(int x, int y)
{
    if (!caret_) return;
    caret_->moveTo(x, y);
    update();
}

void TDrawPanel::destroy_caret()
{
    caret_.reset();
    update();
}

void TDrawPanel::repaint_panel()
{
    layer.clear();
    update();
}

void TDrawPanel::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    const TColor background = Configuration.background_color;
    painter.fillRect(dirty, to_qcolor(background));

    const TForm2& drawing = *owner_form;
    if (!drawing.dragging) {
        for (const TRazidoVavoz* shape : drawing.shapes) paint_shape(painter, *shape, dirty, background);
    }
    for (const TRazidoVavoz* shape : drawing.shapes) {
        for (const ShapeNode& node : shape->nodes)
            if (node.visible) paint_node(painter, node);
    }
    layer.paint(painter);
    if (caret_) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(*caret_, QColor(0xFF, 0xFF, 0xFF));
    }
}

MouseTarget TDrawPanel::target_at(QPoint pos) const
{
    const QList<TRazidoVavoz*>& shapes = owner_form->shapes;
    for (qsizetype i = shapes.size() - 1; i >= 0; --i) {
        TRazidoVavoz* shape = shapes[i];
        for (int n = 3; n >= 0; --n) {
            const ShapeNode& node = shape->nodes[n];
            if (node.visible && node.rect().contains(pos)) return MouseTarget{shape, node.tag};
        }
    }
    for (qsizetype i = shapes.size() - 1; i >= 0; --i) {
        if (shapes[i]->bounds().contains(pos)) return MouseTarget{shapes[i], TRazidoVavoz::object_tag};
    }
    return MouseTarget{};
}

MouseTarget TDrawPanel::receiver_at(QPoint pos) const
{
    return capture ? *capture : target_at(pos);
}

void TDrawPanel::show_hint_of(const MouseTarget& target)
{
    QString hint;
    QCursor shape = owner_form->tool_cursor();
    if (target.tag == TRazidoVavoz::object_tag) {
        hint = target.shape->hint;
    } else if (target.tag > TRazidoVavoz::object_tag) {
        const ShapeNode& node = target.shape->nodes[target.tag - 2];
        hint = node.hint;
        shape = node_cursor(node.cursor);
    }
    setCursor(shape);
    owner_form->show_hint(hint);
}

void TDrawPanel::mousePressEvent(QMouseEvent* event)
{
    owner_form->activate_for_mouse();
    const MouseTarget target = receiver_at(event->position().toPoint());
    if (!capture) capture = target;
    owner_form->dispatch_mouse_down(target, event->button(), event->position().toPoint(),
                                    event->globalPosition().toPoint());
}

void TDrawPanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    owner_form->activate_for_mouse();
    const MouseTarget target = receiver_at(event->position().toPoint());
    if (!capture) capture = target;
    if (target.tag == TRazidoVavoz::object_tag && event->button() == Qt::LeftButton)
        owner_form->shape_dblclicked(target);
    // A double-click is also a press, as for any other click.
    owner_form->dispatch_mouse_down(target, event->button(), event->position().toPoint(),
                                    event->globalPosition().toPoint());
}

void TDrawPanel::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const MouseTarget target = receiver_at(pos);
    if (event->buttons() == Qt::NoButton) show_hint_of(target_at(pos));
    owner_form->dispatch_mouse_move(target, event->buttons(), pos, event->globalPosition().toPoint());
}

void TDrawPanel::mouseReleaseEvent(QMouseEvent* event)
{
    const MouseTarget target = receiver_at(event->position().toPoint());
    // Letting go of the button ends any capture, as it does for every control.
    release_capture();
    owner_form->dispatch_mouse_up(target, event->button(), event->position().toPoint(),
                                  event->globalPosition().toPoint());
}

void TDrawPanel::leaveEvent(QEvent*)
{
    owner_form->show_hint(QString());
}

int TDrawPanel::render_count() const
{
    return owner_form ? owner_form->render_count : 0;
}

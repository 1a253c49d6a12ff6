#include "document/drawing_window.h"
#include "core/configuration.h"
#include "core/naming.h"
#include "core/panel_dimensions.h"
#include "core/raster.h"
#include "core/shape.h"
#include "document/drawing_host.h"
#include "document/panel_view.h"
#include "platform/guard.h"
#include "platform/message_box.h"
#include <QCloseEvent>
#include <algorithm>
#include <memory>
#include <QComboBox>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPalette>
#include <QVBoxLayout>

DrawingWindow::DrawingWindow(DrawingHost* drawing_host)
    : QWidget(nullptr)
    , host(drawing_host)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, to_qcolor(Configuration.background_color));
    setPalette(colours);
    view = new PanelView(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    connect(view, &PanelView::zoom_changed, this, &DrawingWindow::show_zoom_text);
    build_popup();
}

DrawingWindow::~DrawingWindow()
{
    qDeleteAll(shapes);
}

void DrawingWindow::build_popup()
{
    shape_popup = new QMenu(this);
    auto item = [this](const char* name, const QString& caption, const QString& hint, void (DrawingWindow::*handler)()) {
        QAction* action = shape_popup->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setStatusTip(hint);
        connect(action, &QAction::triggered, this, [this, handler] { run_guarded([&] { (this->*handler)(); }); });
        return action;
    };
    properties_action = item("properties_action", tr("&Properties"), tr("Click to display object properties"),
                             &DrawingWindow::edit_properties);
    morphology_action = item("morphology_action", tr("Set &Morphology"), tr("Click to define height morphology"),
                             &DrawingWindow::edit_morphology);
    round_edges_action = item("round_edges_action", tr("Round Ed&ges..."),
                              tr("Click to give the object heights that round its edges"), &DrawingWindow::round_edges);
    shape_popup->addSeparator();
    bring_to_front_action = item("bring_to_front_action", tr("&Bring to Front"),
                                 tr("Click to bring object to the foreground"), &DrawingWindow::bring_to_front);
    send_to_back_action = item("send_to_back_action", tr("&Send to Back"), tr("Click to send object to the background"),
                               &DrawingWindow::send_to_back);
    one_up_action = item("one_up_action", tr("One &Up"), tr("Click to bring object one position in front"),
                         &DrawingWindow::move_one_up);
    one_down_action = item("one_down_action", tr("One &Down"), tr("Click to send object one position back"),
                           &DrawingWindow::move_one_down);
    shape_popup->addSeparator();
    cut_action = item("cut_action", tr("&Cut"), tr("Click to cut object"), &DrawingWindow::cut_shape);
    copy_action = item("copy_action", tr("Co&py"), tr("Click to copy object to the clipboard"), &DrawingWindow::copy_shape);
    delete_action = item("delete_action", tr("D&elete"), tr("Click to delete object"), &DrawingWindow::delete_shape);
    shape_popup->addSeparator();
    move_action = item("move_action", tr("Mo&ve"), tr("Click to move object"), &DrawingWindow::ask_move);
    resize_action = item("resize_action", tr("&Resize"), tr("Click to resize object"), &DrawingWindow::ask_resize);
    crop_action = item("crop_action", tr("Cr&op"), tr("Click to crop object"), &DrawingWindow::ask_crop);
    rotate_action = item("rotate_action", tr("Ro&tate"), tr("Click to rotate object"), &DrawingWindow::ask_rotate);
    shape_popup->addSeparator();
    adjust_edges_action = item("adjust_edges_action", tr("&Adjust Edges"), tr("Click to adjust object edges"),
                               &DrawingWindow::adjust_current_edges);
}

// ---- Window events -------------------------------------------------------

void DrawingWindow::create_panel()
{
    panel = new DrawingPanel(this, PanelDimensions.width_px, PanelDimensions.height_px,
                           PanelDimensions.width_mm, PanelDimensions.height_mm);
    view->set_panel(panel);
    show_zoom_text();
}

void DrawingWindow::on_activated()
{
    if (!panel) create_panel();
    PanelDimensions.width_px = panel->pixel_size().width();
    PanelDimensions.height_px = panel->pixel_size().height();
    PanelDimensions.width_mm = panel->width_mm;
    PanelDimensions.height_mm = panel->height_mm;
    drag_.end();
    show_zoom_text();
}

void DrawingWindow::on_deactivated()
{
    if (current_shape) deselect_shape(current_shape);
}

void DrawingWindow::mark_changed()
{
    emit content_changed();
}

void DrawingWindow::closeEvent(QCloseEvent* event)
{
    bool may_close = true;
    run_guarded([&] {
        if (!modified) return;
        switch (message_box(tr("Drawing modified. Save changes?"), MessageKind::Plain,
                            MessageButtons::YesNoCancel)) {
        case MessageResult::Cancel: may_close = false; break;
        case MessageResult::Yes:
            // A save that fails by an error keeps the window, and the work in it.
            may_close = false;
            may_close = host->save_before_close(*this);
            break;
        default: break;
        }
    });
    if (!may_close) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

// ---- Objects and selection -----------------------------------------------

QStringList DrawingWindow::shape_names() const
{
    QStringList names;
    for (const Shape* shape : shapes) names << shape->name;
    return names;
}

void DrawingWindow::rename_shape(Shape* shape, const QString& name)
{
    if (shape->name == name) return;
    QStringList others = shape_names();
    others.removeOne(shape->name);
    check_object_name(name, others);
    shape->name = name;
    mark_changed();
}

Shape* DrawingWindow::create_shape(int left, int top, int width, int height)
{
    check_pixels_for(nullptr, width, height);
    auto shape = std::make_unique<Shape>(this, Configuration.background_color);
    shape->name = next_shape_name(shape_names());
    shape->set_bounds(left, top, width, height);
    shape->size_buffer(width, height, Configuration.background_color);
    shapes.append(shape.get());
    current_shape = shape.release();
    panel->update_pixels(current_shape->bounds());
    return current_shape;
}

void DrawingWindow::show_bounds_text(int left, int top, int width, int height)
{
    emit status_text(1, tr("(x,y)=(%1,%2) (w,h)=(%3,%4)").arg(left).arg(top).arg(width).arg(height));
}

void DrawingWindow::select_shape(Shape* shape)
{
    if (shape == current_shape) return;
    if (current_shape) deselect_shape(current_shape);
    current_shape = shape;
    emit current_shape_changed();
    show_bounds_text(shape->left, shape->top, shape->width, shape->height);
    shape->edit_mode = EditMode::Crop;
}

void DrawingWindow::deselect_shape(Shape* shape)
{
    current_shape = nullptr;
    emit current_shape_changed();
    emit status_text(1, QString());
    hide_nodes(shape);
}

void DrawingWindow::remove_shape(Shape* shape)
{
    shapes.removeOne(shape);
    panel->update_pixels(shape->bounds());
    delete shape;
}

Shape* DrawingWindow::find_shape(ShapeId id) const
{
    if (id == 0) return nullptr;
    const auto found = std::find_if(shapes.begin(), shapes.end(), [id](const Shape* s) { return s->id == id; });
    return found == shapes.end() ? nullptr : *found;
}

void DrawingWindow::delete_shape()
{
    Shape* shape = current_shape;
    if (!shape) return;
    HistoryEntry* entry = history.create_entry(tr("Delete Object"));
    history.take_snapshot(entry, 0, shape);
    deselect_shape(shape);
    remove_shape(shape);
    history.take_snapshot(entry, 1, nullptr);
    entry->rebuild = 1;
    emit shapes_changed();
    modified = 1;
    mark_changed();
}

// ---- Z-order ---------------------------------------------------------------

void DrawingWindow::zorder_changed()
{
    emit shapes_changed();
    panel->update();
    mark_changed();
}

void DrawingWindow::bring_to_front()
{
    if (!current_shape) return;
    shapes.removeOne(current_shape);
    shapes.append(current_shape);
    zorder_changed();
}

void DrawingWindow::send_to_back()
{
    if (!current_shape) return;
    shapes.removeOne(current_shape);
    shapes.prepend(current_shape);
    zorder_changed();
}

void DrawingWindow::move_one_up()
{
    if (!current_shape) return;
    const qsizetype at = shapes.indexOf(current_shape);
    if (at == shapes.size() - 1) return;
    shapes.swapItemsAt(at, at + 1);
    zorder_changed();
}

void DrawingWindow::move_one_down()
{
    if (!current_shape) return;
    const qsizetype at = shapes.indexOf(current_shape);
    if (at == 0) return;
    shapes.swapItemsAt(at, at - 1);
    zorder_changed();
}

// ---- The panel -------------------------------------------------------------

QRect DrawingWindow::visible_area() const
{
    return view->visible_panel_area();
}

void DrawingWindow::show_zoom_text()
{
    if (panel) emit status_text(2, tr("%1%").arg(QString::number(100 * panel->zoom())));
}

void DrawingWindow::popup_at_current_shape()
{
    if (!current_shape || !panel) return;
    const QRect shown = view->viewport()->rect();
    QPoint at = view->viewport_position(QPoint(current_shape->left, current_shape->top));
    at.setX(qBound(shown.left(), at.x(), shown.right()));
    at.setY(qBound(shown.top(), at.y(), shown.bottom()));
    shape_popup->popup(view->viewport()->mapToGlobal(at));
}

void DrawingWindow::show_hint(const QString& hint)
{
    emit status_text(0, hint);
}

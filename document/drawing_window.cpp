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
        if (handler) connect(action, &QAction::triggered, this, [this, handler] { run_guarded([&] { (this->*handler)(); }); });
        return action;
    };
    N4 = item("N4", QStringLiteral("&Properties"), QStringLiteral("Click to display object properties"), &DrawingWindow::SetHeights1Click);
    SetHeights1 = item("SetHeights1", QStringLiteral("Set &Morphology"), QStringLiteral("Click to define height morphology"), &DrawingWindow::N4Click);
    shape_popup->addSeparator()->setObjectName(QStringLiteral("N1"));
    N6 = item("N6", QStringLiteral("&Bring to Front"), QStringLiteral("Click to bring object to the foreground"), &DrawingWindow::current_shape_bringtofront);
    N7 = item("N7", QStringLiteral("&Send to Back"), QStringLiteral("Click to send object to the background"), &DrawingWindow::current_shape_sendtoback);
    N8 = item("N8", QStringLiteral("One &Up"), QStringLiteral("Click to bring object one position in front"), &DrawingWindow::current_shape_oneup);
    N9 = item("N9", QStringLiteral("One &Down"), QStringLiteral("Click to send object one position back"), &DrawingWindow::current_shape_onedown);
    shape_popup->addSeparator()->setObjectName(QStringLiteral("N2"));
    Copy1 = item("Copy1", QStringLiteral("&Cut"), QStringLiteral("Click to cut object"), &DrawingWindow::cut_shape);
    Copy2 = item("Copy2", QStringLiteral("Co&py"), QStringLiteral("Click to copy object to the clipboard"), &DrawingWindow::copy_shape);
    N5 = item("N5", QStringLiteral("D&elete"), QStringLiteral("Click to delete object"), &DrawingWindow::delete_shape);
    shape_popup->addSeparator()->setObjectName(QStringLiteral("N3"));
    Move1 = item("Move1", QStringLiteral("Mo&ve"), QStringLiteral("Click to move object"), &DrawingWindow::Move1Click);
    Resize1 = item("Resize1", QStringLiteral("&Resize"), QStringLiteral("Click to resize object"), &DrawingWindow::Resize1Click);
    Crop1 = item("Crop1", QStringLiteral("Cr&op"), QStringLiteral("Click to crop object"), &DrawingWindow::Crop1Click);
    Rotate1 = item("Rotate1", QStringLiteral("Ro&tate"), QStringLiteral("Click to rotate object"), &DrawingWindow::Rotate1Click);
    shape_popup->addSeparator()->setObjectName(QStringLiteral("N10"));
    AdjustEdges1 = item("AdjustEdges1", QStringLiteral("&Adjust Edges"), QStringLiteral("Click to adjust object edges"), &DrawingWindow::AdjustEdges1Click);
}

// ---- Window events -------------------------------------------------------

void DrawingWindow::create_panel()
{
    panel_missing = 0;
    panel = new DrawingPanel(this, PanelDimensions.width_px, PanelDimensions.height_px,
                           PanelDimensions.width_mm, PanelDimensions.height_mm);
    view->set_panel(panel);
    show_zoom_text();
}

void DrawingWindow::FormActivate()
{
    if (panel_missing) create_panel();
    PanelDimensions.width_px = panel->pixel_size().width();
    PanelDimensions.height_px = panel->pixel_size().height();
    PanelDimensions.width_mm = panel->width_mm;
    PanelDimensions.height_mm = panel->height_mm;
    drag_action = 0;
    show_zoom_text();
}

void DrawingWindow::FormDeactivate()
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
        switch (message_box(QStringLiteral("Drawing modified. Save changes?"), MessageKind::Plain,
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
    for (const Shape* shape : shapes) names << shape->Name;
    return names;
}

void DrawingWindow::rename_shape(Shape* shape, const QString& name)
{
    if (shape->Name == name) return;
    QStringList others = shape_names();
    others.removeOne(shape->Name);
    check_object_name(name, others);
    shape->Name = name;
    mark_changed();
}

Shape* DrawingWindow::create_shape(int left, int top, int width, int height)
{
    check_pixels_for(nullptr, width, height);
    auto shape = std::make_unique<Shape>(this, Configuration.background_color);
    shape->Name = next_shape_name(shape_names());
    shape->set_bounds(left, top, width, height);
    shape->size_buffer(width, height, Configuration.background_color);
    shapes.append(shape.get());
    current_shape = shape.release();
    panel->update_pixels(current_shape->bounds());
    return current_shape;
}

void DrawingWindow::show_bounds_text(int left, int top, int width, int height)
{
    emit status_text(1, QStringLiteral("(x,y)=(%1,%2) (w,h)=(%3,%4)").arg(left).arg(top).arg(width).arg(height));
}

void DrawingWindow::select_shape(Shape* shape)
{
    if (shape == current_shape) return;
    if (current_shape) deselect_shape(current_shape);
    current_shape = shape;
    emit current_shape_changed();
    show_bounds_text(shape->Left, shape->Top, shape->Width, shape->Height);
    shape->edit_mode = QStringLiteral("crop");
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
    TShapeEvent* entry = history.create_entry(QStringLiteral("Delete Object"));
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

void DrawingWindow::current_shape_bringtofront()
{
    if (!current_shape) return;
    shapes.removeOne(current_shape);
    shapes.append(current_shape);
    zorder_changed();
}

void DrawingWindow::current_shape_sendtoback()
{
    if (!current_shape) return;
    shapes.removeOne(current_shape);
    shapes.prepend(current_shape);
    zorder_changed();
}

void DrawingWindow::current_shape_oneup()
{
    if (!current_shape) return;
    const qsizetype at = shapes.indexOf(current_shape);
    if (at == shapes.size() - 1) return;
    shapes.swapItemsAt(at, at + 1);
    zorder_changed();
}

void DrawingWindow::current_shape_onedown()
{
    if (!current_shape) return;
    const qsizetype at = shapes.indexOf(current_shape);
    if (at == 0) return;
    shapes.swapItemsAt(at, at - 1);
    zorder_changed();
}

// ---- The outline -----------------------------------------------------------

void DrawingWindow::draw_outline()
{
    panel->layer.toggle_path({outline[0], outline[1], outline[3], outline[2]}, panel->pen);
    panel->update();
}

QRect DrawingWindow::visible_area() const
{
    return view->visible_panel_area();
}

void DrawingWindow::show_zoom_text()
{
    if (panel) emit status_text(2, QString::number(100 * panel->zoom()) + QLatin1Char('%'));
}

void DrawingWindow::popup_at_current_shape()
{
    if (!current_shape || !panel) return;
    const QRect shown = view->viewport()->rect();
    QPoint at = view->viewport_position(QPoint(current_shape->Left, current_shape->Top));
    at.setX(qBound(shown.left(), at.x(), shown.right()));
    at.setY(qBound(shown.top(), at.y(), shown.bottom()));
    shape_popup->popup(view->viewport()->mapToGlobal(at));
}

void DrawingWindow::show_hint(const QString& hint)
{
    emit status_text(0, hint);
}

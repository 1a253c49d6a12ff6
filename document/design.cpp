#include "document/design.h"
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

TForm2::TForm2(DrawingHost* drawing_host)
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
    connect(view, &PanelView::zoom_changed, this, &TForm2::show_zoom_text);
    build_popup();
}

TForm2::~TForm2()
{
    qDeleteAll(shapes);
}

void TForm2::build_popup()
{
    shape_popup = new QMenu(this);
    auto item = [this](const char* name, const QString& caption, const QString& hint, void (TForm2::*handler)()) {
        QAction* action = shape_popup->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setStatusTip(hint);
        if (handler) connect(action, &QAction::triggered, this, [this, handler] { run_guarded([&] { (this->*handler)(); }); });
        return action;
    };
    N4 = item("N4", QStringLiteral("&Properties"), QStringLiteral("Click to display object properties"), &TForm2::SetHeights1Click);
    SetHeights1 = item("SetHeights1", QStringLiteral("Set &Morphology"), QStringLiteral("Click to define height morphology"), &TForm2::N4Click);
    shape_popup->addSeparator()->setObjectName(QStringLiteral("N1"));
    N6 = item("N6", QStringLiteral("&Bring to Front"), QStringLiteral("Click to bring object to the foreground"), &TForm2::current_shape_bringtofront);
    N7 = item("N7", QStringLiteral("&Send to Back"), QStringLiteral("Click to send object to the background"), &TForm2::current_shape_sendtoback);
    N8 = item("N8", QStringLiteral("One &Up"), QStringLiteral("Click to bring object one position in front"), &TForm2::current_shape_oneup);
    N9 = item("N9", QStringLiteral("One &Down"), QStringLiteral("Click to send object one position back"), &TForm2::current_shape_onedown);
    shape_popup->addSeparator()->setObjectName(QStringLiteral("N2"));
    Copy1 = item("Copy1", QStringLiteral("&Cut"), QStringLiteral("Click to cut object"), &TForm2::cut_shape);
    Copy2 = item("Copy2", QStringLiteral("Co&py"), QStringLiteral("Click to copy object to the clipboard"), &TForm2::copy_shape);
    N5 = item("N5", QStringLiteral("D&elete"), QStringLiteral("Click to delete object"), &TForm2::delete_shape);
    shape_popup->addSeparator()->setObjectName(QStringLiteral("N3"));
    Move1 = item("Move1", QStringLiteral("Mo&ve"), QStringLiteral("Click to move object"), &TForm2::Move1Click);
    Resize1 = item("Resize1", QStringLiteral("&Resize"), QStringLiteral("Click to resize object"), &TForm2::Resize1Click);
    Crop1 = item("Crop1", QStringLiteral("Cr&op"), QStringLiteral("Click to crop object"), &TForm2::Crop1Click);
    Rotate1 = item("Rotate1", QStringLiteral("Ro&tate"), QStringLiteral("Click to rotate object"), &TForm2::Rotate1Click);
    shape_popup->addSeparator()->setObjectName(QStringLiteral("N10"));
    AdjustEdges1 = item("AdjustEdges1", QStringLiteral("&Adjust Edges"), QStringLiteral("Click to adjust object edges"), &TForm2::AdjustEdges1Click);
}

// ---- Window events -------------------------------------------------------

void TForm2::create_panel()
{
    panel_missing = 0;
    panel = new TDrawPanel(this, PanelDimensions.width_px, PanelDimensions.height_px,
                           PanelDimensions.width_mm, PanelDimensions.height_mm);
    view->set_panel(panel);
    show_zoom_text();
}

void TForm2::FormActivate()
{
    if (panel_missing) create_panel();
    PanelDimensions.width_px = panel->pixel_size().width();
    PanelDimensions.height_px = panel->pixel_size().height();
    PanelDimensions.width_mm = panel->width_mm;
    PanelDimensions.height_mm = panel->height_mm;
    drag_action = 0;
    show_zoom_text();
}

void TForm2::FormDeactivate()
{
    if (current_shape) deselect_shape(current_shape);
}

void TForm2::mark_changed()
{
    emit content_changed();
}

void TForm2::closeEvent(QCloseEvent* event)
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

QStringList TForm2::shape_names() const
{
    QStringList names;
    for (const TRazidoVavoz* shape : shapes) names << shape->Name;
    return names;
}

void TForm2::rename_shape(TRazidoVavoz* shape, const QString& name)
{
    if (shape->Name == name) return;
    QStringList others = shape_names();
    others.removeOne(shape->Name);
    check_object_name(name, others);
    shape->Name = name;
    mark_changed();
}

TRazidoVavoz* TForm2::create_shape(int left, int top, int width, int height)
{
    check_pixels_for(nullptr, width, height);
    auto shape = std::make_unique<TRazidoVavoz>(this, Configuration.background_color);
    shape->Name = next_shape_name(shape_names());
    shape->set_bounds(left, top, width, height);
    shape->size_buffer(width, height, Configuration.background_color);
    shapes.append(shape.get());
    current_shape = shape.release();
    panel->update_pixels(current_shape->bounds());
    return current_shape;
}

void TForm2::show_bounds_text(int left, int top, int width, int height)
{
    emit status_text(1, QStringLiteral("(x,y)=(%1,%2) (w,h)=(%3,%4)").arg(left).arg(top).arg(width).arg(height));
}

void TForm2::select_shape(TRazidoVavoz* shape)
{
    if (shape == current_shape) return;
    if (current_shape) deselect_shape(current_shape);
    current_shape = shape;
    emit current_shape_changed();
    show_bounds_text(shape->Left, shape->Top, shape->Width, shape->Height);
    shape->edit_mode = QStringLiteral("crop");
}

void TForm2::deselect_shape(TRazidoVavoz* shape)
{
    current_shape = nullptr;
    emit current_shape_changed();
    emit status_text(1, QString());
    hide_nodes(shape);
}

void TForm2::remove_shape(TRazidoVavoz* shape)
{
    shapes.removeOne(shape);
    panel->update_pixels(shape->bounds());
    delete shape;
}

TRazidoVavoz* TForm2::find_shape(ShapeId id) const
{
    if (id == 0) return nullptr;
    const auto found = std::find_if(shapes.begin(), shapes.end(), [id](const TRazidoVavoz* s) { return s->id == id; });
    return found == shapes.end() ? nullptr : *found;
}

void TForm2::delete_shape()
{
    TRazidoVavoz* shape = current_shape;
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

void TForm2::zorder_changed()
{
    emit shapes_changed();
    panel->update();
    mark_changed();
}

void TForm2::current_shape_bringtofront()
{
    if (!current_shape) return;
    shapes.removeOne(current_shape);
    shapes.append(current_shape);
    zorder_changed();
}

void TForm2::current_shape_sendtoback()
{
    if (!current_shape) return;
    shapes.removeOne(current_shape);
    shapes.prepend(current_shape);
    zorder_changed();
}

void TForm2::current_shape_oneup()
{
    if (!current_shape) return;
    const qsizetype at = shapes.indexOf(current_shape);
    if (at == shapes.size() - 1) return;
    shapes.swapItemsAt(at, at + 1);
    zorder_changed();
}

void TForm2::current_shape_onedown()
{
    if (!current_shape) return;
    const qsizetype at = shapes.indexOf(current_shape);
    if (at == 0) return;
    shapes.swapItemsAt(at, at - 1);
    zorder_changed();
}

// ---- The outline -----------------------------------------------------------

void TForm2::draw_outline()
{
    panel->layer.toggle_path({outline[0], outline[1], outline[3], outline[2]}, panel->pen);
    panel->update();
}

QRect TForm2::visible_area() const
{
    return view->visible_panel_area();
}

void TForm2::show_zoom_text()
{
    if (panel) emit status_text(2, QString::number(100 * panel->zoom()) + QLatin1Char('%'));
}

void TForm2::popup_at_current_shape()
{
    if (!current_shape || !panel) return;
    const QRect shown = view->viewport()->rect();
    QPoint at = view->viewport_position(QPoint(current_shape->Left, current_shape->Top));
    at.setX(qBound(shown.left(), at.x(), shown.right()));
    at.setY(qBound(shown.top(), at.y(), shown.bottom()));
    shape_popup->popup(view->viewport()->mapToGlobal(at));
}

void TForm2::show_hint(const QString& hint)
{
    emit status_text(0, hint);
}

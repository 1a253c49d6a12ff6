// The main window's document commands, tool selection, the object-name box
// and the drawing windows' activation.
#include "app/main_window.h"
#include "app/preview_renderer.h"
#include "core/configuration.h"
#include "core/drawing_numbers.h"
#include "core/shape.h"
#include "dialogs/panel_dimensions_dialog.h"
#include "dialogs/configuration_dialog.h"
#include "document/drawing_tool_table.h"
#include "document/drawing_window.h"
#include "document/panel_view.h"
#include "platform/font_dialog.h"
#include "platform/guard.h"
#include "platform/message_box.h"
#include <QCloseEvent>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScopeGuard>
#include <QStyle>
#include <QStyleOption>
#include <QToolBar>
#include <QToolButton>

// ---- Drawings -----------------------------------------------------------------

QMdiSubWindow* MainWindow::create_drawing_window(const QString& caption)
{
    auto* drawing = new DrawingWindow(this);
    current_tool = DrawingTool::Pointer;
    drawings.append(drawing);
    connect_drawing(drawing);
    drawing->setWindowTitle(caption);
    QMdiSubWindow* window = mdi->addSubWindow(drawing);
    window->setAttribute(Qt::WA_DeleteOnClose);
    // Ctrl+F4 is the program's Exit; the window's own menu must not take it.
    for (QAction* action : window->systemMenu()->actions()) action->setShortcut(QKeySequence());
    watch_activation(window, drawing);
    window->show();
    activate_drawing(drawing);
    // Qt's own placement avoids overlap and can put the window mostly
    // outside the area; new windows are staggered from the top-left instead.
    if (!window->isMaximized()) window->setGeometry(cascade_slot(window, free_cascade_slot(window)));
    return window;
}

QSize MainWindow::window_size_for_panel(QMdiSubWindow* window) const
{
    const auto* drawing = qobject_cast<const DrawingWindow*>(window->widget());
    if (!drawing || !drawing->panel) return window->size();
    // The window shows the whole panel where the client area allows.
    const QSize frame = window->size() - drawing->size();
    return (drawing->panel->size() + frame).boundedTo(mdi->viewport()->size());
}

void MainWindow::watch_activation(QMdiSubWindow* window, DrawingWindow* drawing)
{
    connect(window, &QMdiSubWindow::windowStateChanged, drawing,
            [this, drawing](Qt::WindowStates before, Qt::WindowStates now) {
                const bool was_active = before & Qt::WindowActive;
                const bool is_active = now & Qt::WindowActive;
                run_guarded([&] {
                    // The whole program losing the focus (a dialog, another
                    // program) is no change of drawing.
                    if (was_active && !is_active && isActiveWindow()) drawing_deactivated(drawing);
                    if (is_active && !was_active && active_drawing != drawing) drawing_activated(drawing);
                });
            });
}

void MainWindow::activate_drawing(DrawingWindow* drawing)
{
    if (auto* window = qobject_cast<QMdiSubWindow*>(drawing->parentWidget())) mdi->setActiveSubWindow(window);
    // An inactive main window activates no child; the drawing still becomes
    // the one the commands act on.
    if (active_drawing != drawing) drawing_activated(drawing);
    drawing->setFocus();
}

void MainWindow::connect_drawing(DrawingWindow* drawing)
{
    connect(drawing, &DrawingWindow::status_text, this, &MainWindow::set_status_panel);
    const auto show_current = [this, drawing] {
        objectnames->setCurrentIndex(drawing->current_shape ? int(drawing->shapes.indexOf(drawing->current_shape)) : -1);
    };
    connect(drawing, &DrawingWindow::current_shape_changed, this, show_current);
    connect(drawing, &DrawingWindow::shapes_changed, this, [this, show_current] {
        fill_object_names();
        show_current();
    });
    // The commands' states follow what the drawing reports.
    for (auto change : {&DrawingWindow::content_changed, &DrawingWindow::current_shape_changed, &DrawingWindow::shapes_changed})
        connect(drawing, change, this, &MainWindow::idle_update);
    connect(drawing, &DrawingWindow::content_changed, this, [this, drawing] {
        if (drawing == active_drawing) schedule_preview();
    });
    connect(drawing, &DrawingWindow::closed, this, [this, drawing] {
        drawing_deactivated(drawing);
        drawing_closed(drawing);
        idle_update();
    });
}

void MainWindow::drawing_activated(DrawingWindow* drawing)
{
    DrawingWindow* previous = active_drawing;
    if (previous && previous->current_shape) previous->deselect_shape(previous->current_shape);
    active_drawing = drawing;
    const bool had_panel = drawing->panel != nullptr;
    if (opening_file) load_pending_drawing(drawing);
    drawing->on_activated();
    if (!had_panel) enable_tools_toolbar();
    fill_object_names();
    reapply_tool(drawing);
    idle_update();
    schedule_preview();
}

void MainWindow::drawing_deactivated(DrawingWindow* drawing)
{
    if (!drawings.contains(drawing)) return;
    // Leaving the drawing for the object-name box keeps its selection, for
    // the box names it.
    if (focusWidget() == objectnames || objectnames->isAncestorOf(focusWidget()))
        clear_focused_control();
    else
        drawing->on_deactivated();
}

bool MainWindow::save_before_close(DrawingWindow& drawing)
{
    save_as = 0;
    return save_drawing(drawing);
}

DrawingWindow* MainWindow::active_child_drawing() const
{
    QMdiSubWindow* window = mdi->currentSubWindow();
    auto* drawing = window ? qobject_cast<DrawingWindow*>(window->widget()) : nullptr;
    // A drawing that has closed is no longer one, though its window lingers
    // until it is deleted.
    return drawings.contains(drawing) ? drawing : nullptr;
}

void MainWindow::drawing_closed(DrawingWindow* drawing)
{
    if (preview_renderer) preview_renderer->forget(drawing);
    const qsizetype at = drawings.indexOf(drawing);
    if (at >= 0) {
        drawings.removeAt(at);
        drawing_names.removeAt(at);
    }
    // Any drawing closing, also one behind the active one, leaves no drawing
    // for the commands and an empty name box, until a drawing is activated.
    const bool was_active = active_drawing == drawing;
    objectnames->clear();
    objectnames->setEnabled(false);
    active_drawing = nullptr;
    // The preview keeps the picture of a drawing still open.
    if (was_active) schedule_preview();
}

void MainWindow::enable_tools_toolbar()
{
    toolbar->setEnabled(true);
    for (QToolButton* button : tool_buttons) button->setEnabled(true);
}

void MainWindow::New1Execute()
{
    const std::optional<int> number = lowest_free_drawing_number(drawing_names);
    if (!number) return;
    if (!panel_dimensions_dialog || panel_dimensions_dialog->execute(mdi->viewport()->size()) == 1) return;
    const QString name = QStringLiteral("Stereogram%1").arg(*number);
    drawing_names.append(name);
    create_drawing_window(name);
    click_pointer();
}

void MainWindow::configure1Execute()
{
    if (configuration_dialog) configuration_dialog->execute();
    // Optics and colours may have changed.
    schedule_preview();
}

void MainWindow::click_pointer()
{
    // An action brings its enabled state up to date before it runs.
    idle_update();
    tool_button(DrawingTool::Pointer)->click();
}

void MainWindow::Close1Execute()
{
    if (active_drawing) active_drawing->parentWidget()->close();
}

void MainWindow::EditDelete1Execute()
{
    if (DrawingWindow* drawing = active_child_drawing()) drawing->delete_shape();
}

void MainWindow::Undo1Execute()
{
    if (DrawingWindow* drawing = active_child_drawing()) drawing->history.undo();
}

void MainWindow::Redo1Execute()
{
    if (DrawingWindow* drawing = active_child_drawing()) drawing->history.redo();
}

void MainWindow::Exit1Click()
{
    close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    qsizetype i = active_drawing ? drawings.indexOf(active_drawing) : drawings.size() - 1;
    if (i < 0) i = drawings.size() - 1;
    while (!drawings.isEmpty()) {
        const qsizetype count = drawings.size();
        drawings[i]->parentWidget()->close();
        if (drawings.size() == count) {
            event->ignore();
            return;
        }
        if (--i < 0) i = drawings.size() - 1;
    }
    for (const QString& problem : save_show_condition(isMaximized()))
        message_box(problem, MessageKind::Error, MessageButtons::Ok);
    // The preview's width as the user left it.
    store_preview_place();
    event->accept();
}

// ---- Tools ------------------------------------------------------------------------

void MainWindow::choose_tool(DrawingTool tool)
{
    if (active_drawing) active_drawing->setFocus();
    QToolButton* own = tool_button(tool);
    const std::optional<DrawingTool> chosen = chosen_tool();
    if (chosen == tool) {
        fill_object_names();
        return;
    }
    if (chosen) tool_button(*chosen)->setChecked(false);
    apply_tool(tool);
    own->setChecked(true);
    idle_update();
}

void MainWindow::apply_tool(DrawingTool tool)
{
    DrawingWindow* drawing = active_drawing;
    if (!drawing || !drawing->panel) return;
    if (tool == DrawingTool::Pointer) current_tool = DrawingTool::Pointer;
    set_tool_mode(drawing, tool, true);
}

void MainWindow::reapply_tool(DrawingWindow* drawing)
{
    if (const std::optional<DrawingTool> chosen = chosen_tool()) set_tool_mode(drawing, *chosen, false);
}

void MainWindow::set_tool_mode(DrawingWindow* drawing, DrawingTool tool, bool capture)
{
    DrawingPanel* panel = drawing->panel;
    const DrawingToolRow& row = drawing_tool_row(tool);
    if (row.gesture == ToolGesture::Select) {
        objectnames->setEnabled(true);
        fill_object_names();
        font_button_action->setVisible(false);
        panel->release_capture();
    } else {
        current_tool = tool;
        if (row.outline_pen) panel->pen = *row.outline_pen;
        objectnames->setEnabled(false);
        font_button_action->setVisible(row.gesture == ToolGesture::Text);
        if (capture) panel->capture_mouse();
    }
    drawing->drop_tool_input();
    if (drawing->current_shape) drawing->deselect_shape(drawing->current_shape);
    panel->setCursor(drawing->tool_cursor());
}

void MainWindow::change_font()
{
    DrawingWindow* drawing = active_drawing;
    if (!drawing || !drawing->panel) return;
    DrawingPanel* panel = drawing->panel;
    QFont font = panel->font;
    choose_font(font);
    font.setStyleStrategy(QFont::NoAntialias);
    panel->font = font;
    panel->font_color = Configuration.object_color;
    if (drawing->text_entry().is_typing()) {
        panel->create_caret(2, QFontInfo(font).pixelSize());
        drawing->text_entry().redraw();
    }
}

// ---- Object names -----------------------------------------------------------------

void MainWindow::fill_object_names()
{
    objectnames->clear();
    if (DrawingWindow* drawing = active_drawing)
        for (const Shape* shape : drawing->shapes) objectnames->addItem(shape->Name);
    objectnames->setCurrentIndex(-1);
}

void MainWindow::clear_focused_control()
{
    if (QWidget* focused = focusWidget()) focused->clearFocus();
}

void MainWindow::objectnamesClick(int index)
{
    tool_button(DrawingTool::Pointer)->setFocus();
    DrawingWindow* drawing = active_drawing;
    if (index < 0 || !drawing || index >= drawing->shapes.size()) return;
    Shape* shape = drawing->shapes[index];
    drawing->select_shape(shape);
    drawing->setFocus();
    drawing->cycle_edit_mode(shape);
}

void MainWindow::objectnamesKeyUp(int key)
{
    DrawingWindow* drawing = active_drawing;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (drawing && drawing->current_shape) {
            Shape* shape = drawing->current_shape;
            const int index = static_cast<int>(drawing->shapes.indexOf(shape));
            // The box shows the object's name afterwards: the new one, or the
            // old one again when the new one is refused with its message.
            const auto show_name = qScopeGuard([this, shape, index] {
                objectnames->setItemText(index, shape->Name);
                objectnames->setCurrentIndex(index);
                objectnames->setEditText(shape->Name);
            });
            drawing->rename_shape(shape, objectnames->currentText());
        } else {
            objectnames->setEditText(QString());
            if (drawing) drawing->setFocus();
        }
    } else if (key == Qt::Key_Delete) {
        objectnames->lineEdit()->del();
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    // Keys reach the box itself, which has the focus and hands them to its
    // edit field without passing the filters.
    const bool in_names_box = watched == objectnames || watched == objectnames->lineEdit();
    if (in_names_box && (type == QEvent::KeyPress || type == QEvent::KeyRelease)) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool handled_on_release = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter
            || (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier);
        if (handled_on_release) {
            if (type == QEvent::KeyRelease && !key->isAutoRepeat())
                run_guarded([&] { objectnamesKeyUp(key->key()); });
            return true;
        }
    }
    if (watched == mdi->viewport() && type == QEvent::Resize) keep_drawings_inside();
    if (type != QEvent::Timer && type != QEvent::Paint && type != QEvent::UpdateRequest && type != QEvent::MetaCall)
        schedule_idle_update();
    return QMainWindow::eventFilter(watched, event);
}

// ---- Show Toolbars ------------------------------------------------------------------

void MainWindow::Tools1Click()
{
    toolbar->setVisible(Tools1->isChecked());
}

void MainWindow::Basic1Click()
{
    basic->setVisible(Basic1->isChecked());
}

void MainWindow::Actions1Click()
{
    actions->setVisible(Actions1->isChecked());
}

void MainWindow::ObjectNames1Click()
{
    objectnames_bar->setVisible(ObjectNames1->isChecked());
}

// ---- View ---------------------------------------------------------------------------

void MainWindow::ZoomIn1Execute()
{
    if (DrawingWindow* drawing = active_child_drawing(); drawing && drawing->panel) drawing->view->zoom_in();
}

void MainWindow::ZoomOut1Execute()
{
    if (DrawingWindow* drawing = active_child_drawing(); drawing && drawing->panel) drawing->view->zoom_out();
}

void MainWindow::ActualSize1Execute()
{
    if (DrawingWindow* drawing = active_child_drawing(); drawing && drawing->panel) drawing->view->actual_size();
}

void MainWindow::ZoomToFit1Execute()
{
    if (DrawingWindow* drawing = active_child_drawing(); drawing && drawing->panel) drawing->view->zoom_to_fit();
}

// ---- Window arrangement ---------------------------------------------------------------

void MainWindow::tile(Qt::Orientation orientation)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : mdi->subWindowList())
        if (!window->isMinimized()) windows << window;
    if (windows.isEmpty()) return;
    const QRect area = mdi->viewport()->rect();
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

int MainWindow::cascade_step(QMdiSubWindow* window) const
{
    // One title bar with the frame above it, so that each window's caption
    // stays in view below the next one.
    const int top = window->contentsMargins().top();
    if (top > 0) return top;
    QStyleOptionTitleBar options;
    options.initFrom(window);
    return window->style()->pixelMetric(QStyle::PM_TitleBarHeight, &options, window);
}

QRect MainWindow::cascade_slot(QMdiSubWindow* window, int index) const
{
    const QSize area = mdi->viewport()->size();
    const int step = qMax(1, cascade_step(window));
    // Back to the top-left before the windows are left less than half the area.
    const int places = qMax(1, qMin(area.width(), area.height()) / 2 / step + 1);
    const int offset = (index % places) * step;
    const QSize room(qMax(1, area.width() - offset), qMax(1, area.height() - offset));
    return QRect(QPoint(offset, offset), window_size_for_panel(window).boundedTo(room));
}

int MainWindow::free_cascade_slot(QMdiSubWindow* window) const
{
    QList<QPoint> taken;
    for (QMdiSubWindow* other : mdi->subWindowList())
        if (other != window && other->isVisible() && !other->isMinimized()) taken << other->pos();
    // The first place no other window starts at, so that none hides another whole.
    for (int index = 0; index <= taken.size(); ++index)
        if (!taken.contains(cascade_slot(window, index).topLeft())) return index;
    return static_cast<int>(taken.size());
}

void MainWindow::cascade()
{
    int index = 0;
    for (QMdiSubWindow* window : mdi->subWindowList(QMdiArea::StackingOrder)) {
        if (!window->isVisible() || window->isMinimized()) continue;
        if (window->isMaximized()) window->showNormal();
        window->setGeometry(cascade_slot(window, index++));
    }
}

void MainWindow::minimize_all()
{
    for (QMdiSubWindow* window : mdi->subWindowList()) window->showMinimized();
}

void MainWindow::arrange_icons()
{
    const QRect area = mdi->viewport()->rect();
    int x = 0;
    int y = area.bottom();
    for (QMdiSubWindow* window : mdi->subWindowList()) {
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

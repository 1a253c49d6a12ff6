// The main window's document commands, tool selection, the object-name box
// and the drawing windows' activation.
#include "app/main_window.h"
#include "app/preview_renderer.h"
#include "app/window_arrangement.h"
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
#include <QToolBar>
#include <QToolButton>

// ---- Drawings -----------------------------------------------------------------

QMdiSubWindow* MainWindow::create_drawing_window(const QString& name, const QString& caption)
{
    drawing_names_.append(name);
    auto* drawing = new DrawingWindow(this);
    current_tool = DrawingTool::Pointer;
    drawings_.append(drawing);
    connect_drawing(drawing);
    drawing->setWindowTitle(caption);
    QMdiSubWindow* window = drawing_area->addSubWindow(drawing);
    window->setAttribute(Qt::WA_DeleteOnClose);
    // Ctrl+F4 is the program's Exit; the window's own menu must not take it.
    for (QAction* action : window->systemMenu()->actions()) action->setShortcut(QKeySequence());
    watch_activation(window, drawing);
    window->show();
    activate_drawing(drawing);
    // Qt's own placement avoids overlap and can put the window mostly
    // outside the area; new windows are staggered from the top-left instead.
    arrangement_->place_new_window(window);
    return window;
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
                    if (is_active && !was_active && active_drawing_ != drawing) drawing_activated(drawing);
                });
            });
}

void MainWindow::activate_drawing(DrawingWindow* drawing)
{
    if (auto* window = qobject_cast<QMdiSubWindow*>(drawing->parentWidget())) drawing_area->setActiveSubWindow(window);
    // An inactive main window activates no child; the drawing still becomes
    // the one the commands act on.
    if (active_drawing_ != drawing) drawing_activated(drawing);
    drawing->setFocus();
}

void MainWindow::connect_drawing(DrawingWindow* drawing)
{
    connect(drawing, &DrawingWindow::status_text, this, &MainWindow::set_status_panel);
    const auto show_current = [this, drawing] {
        object_names_combo->setCurrentIndex(drawing->current_shape ? int(drawing->shapes.indexOf(drawing->current_shape)) : -1);
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
        if (drawing == active_drawing_) schedule_preview();
    });
    connect(drawing, &DrawingWindow::closed, this, [this, drawing] {
        drawing_deactivated(drawing);
        drawing_closed(drawing);
        idle_update();
    });
}

void MainWindow::drawing_activated(DrawingWindow* drawing)
{
    DrawingWindow* previous = active_drawing_;
    if (previous && previous->current_shape) previous->deselect_shape(previous->current_shape);
    active_drawing_ = drawing;
    const bool had_panel = drawing->panel != nullptr;
    if (opening_file_) load_pending_drawing(drawing);
    drawing->on_activated();
    if (!had_panel) enable_tools_toolbar();
    fill_object_names();
    reapply_tool(drawing);
    idle_update();
    schedule_preview();
}

void MainWindow::drawing_deactivated(DrawingWindow* drawing)
{
    if (!drawings_.contains(drawing)) return;
    // Leaving the drawing for the object-name box keeps its selection, for
    // the box names it.
    if (focusWidget() == object_names_combo || object_names_combo->isAncestorOf(focusWidget()))
        clear_focused_control();
    else
        drawing->on_deactivated();
}

bool MainWindow::save_before_close(DrawingWindow& drawing)
{
    return save_drawing(drawing, false);
}

DrawingWindow* MainWindow::active_child_drawing() const
{
    QMdiSubWindow* window = drawing_area->currentSubWindow();
    auto* drawing = window ? qobject_cast<DrawingWindow*>(window->widget()) : nullptr;
    // A drawing that has closed is no longer one, though its window lingers
    // until it is deleted.
    return drawings_.contains(drawing) ? drawing : nullptr;
}

void MainWindow::drawing_closed(DrawingWindow* drawing)
{
    if (preview_renderer) preview_renderer->forget(drawing);
    const qsizetype at = drawings_.indexOf(drawing);
    if (at >= 0) {
        drawings_.removeAt(at);
        drawing_names_.removeAt(at);
    }
    // Any drawing closing, also one behind the active one, leaves no drawing
    // for the commands and an empty name box, until a drawing is activated.
    const bool was_active = active_drawing_ == drawing;
    object_names_combo->clear();
    object_names_combo->setEnabled(false);
    active_drawing_ = nullptr;
    // The preview keeps the picture of a drawing still open.
    if (was_active) schedule_preview();
}

void MainWindow::enable_tools_toolbar()
{
    tools_bar->setEnabled(true);
    for (QToolButton* button : tool_buttons) button->setEnabled(true);
}

void MainWindow::new_drawing()
{
    const std::optional<int> number = lowest_free_drawing_number(drawing_names_);
    if (!number) return;
    if (!panel_dimensions_dialog || panel_dimensions_dialog->execute(drawing_area->viewport()->size()) == 1) return;
    const QString name = QStringLiteral("Stereogram%1").arg(*number);
    create_drawing_window(name, name);
    click_pointer();
}

void MainWindow::configure()
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

void MainWindow::close_drawing()
{
    if (active_drawing_) active_drawing_->parentWidget()->close();
}

void MainWindow::delete_object()
{
    if (DrawingWindow* drawing = active_child_drawing()) drawing->delete_shape();
}

void MainWindow::undo()
{
    if (DrawingWindow* drawing = active_child_drawing()) drawing->history.undo();
}

void MainWindow::redo()
{
    if (DrawingWindow* drawing = active_child_drawing()) drawing->history.redo();
}

void MainWindow::exit_program()
{
    close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    qsizetype i = active_drawing_ ? drawings_.indexOf(active_drawing_) : drawings_.size() - 1;
    if (i < 0) i = drawings_.size() - 1;
    while (!drawings_.isEmpty()) {
        const qsizetype count = drawings_.size();
        drawings_[i]->parentWidget()->close();
        if (drawings_.size() == count) {
            event->ignore();
            return;
        }
        if (--i < 0) i = drawings_.size() - 1;
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
    if (active_drawing_) active_drawing_->setFocus();
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
    DrawingWindow* drawing = active_drawing_;
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
        object_names_combo->setEnabled(true);
        fill_object_names();
        font_button_action->setVisible(false);
        panel->release_capture();
    } else {
        current_tool = tool;
        if (row.outline_pen) panel->pen = *row.outline_pen;
        object_names_combo->setEnabled(false);
        font_button_action->setVisible(row.gesture == ToolGesture::Text);
        if (capture) panel->capture_mouse();
    }
    drawing->drop_tool_input();
    if (drawing->current_shape) drawing->deselect_shape(drawing->current_shape);
    panel->setCursor(drawing->tool_cursor());
}

void MainWindow::change_font()
{
    DrawingWindow* drawing = active_drawing_;
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
    object_names_combo->clear();
    if (DrawingWindow* drawing = active_drawing_)
        for (const Shape* shape : drawing->shapes) object_names_combo->addItem(shape->name);
    object_names_combo->setCurrentIndex(-1);
}

void MainWindow::clear_focused_control()
{
    if (QWidget* focused = focusWidget()) focused->clearFocus();
}

void MainWindow::select_object_by_name(int index)
{
    tool_button(DrawingTool::Pointer)->setFocus();
    DrawingWindow* drawing = active_drawing_;
    if (index < 0 || !drawing || index >= drawing->shapes.size()) return;
    Shape* shape = drawing->shapes[index];
    drawing->select_shape(shape);
    drawing->setFocus();
    drawing->cycle_edit_mode(shape);
}

void MainWindow::object_names_key_released(int key)
{
    DrawingWindow* drawing = active_drawing_;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (drawing && drawing->current_shape) {
            Shape* shape = drawing->current_shape;
            const int index = static_cast<int>(drawing->shapes.indexOf(shape));
            // The box shows the object's name afterwards: the new one, or the
            // old one again when the new one is refused with its message.
            const auto show_name = qScopeGuard([this, shape, index] {
                object_names_combo->setItemText(index, shape->name);
                object_names_combo->setCurrentIndex(index);
                object_names_combo->setEditText(shape->name);
            });
            drawing->rename_shape(shape, object_names_combo->currentText());
        } else {
            object_names_combo->setEditText(QString());
            if (drawing) drawing->setFocus();
        }
    } else if (key == Qt::Key_Delete) {
        object_names_combo->lineEdit()->del();
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    // Keys reach the box itself, which has the focus and hands them to its
    // edit field without passing the filters.
    const bool in_names_box = watched == object_names_combo || watched == object_names_combo->lineEdit();
    if (in_names_box && (type == QEvent::KeyPress || type == QEvent::KeyRelease)) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool handled_on_release = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter
            || (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier);
        if (handled_on_release) {
            if (type == QEvent::KeyRelease && !key->isAutoRepeat())
                run_guarded([&] { object_names_key_released(key->key()); });
            return true;
        }
    }
    if (watched == drawing_area->viewport() && type == QEvent::Resize) arrangement_->keep_drawings_inside();
    if (type != QEvent::Timer && type != QEvent::Paint && type != QEvent::UpdateRequest && type != QEvent::MetaCall)
        schedule_idle_update();
    return QMainWindow::eventFilter(watched, event);
}

// ---- Show Toolbars ------------------------------------------------------------------

void MainWindow::toggle_tools_bar()
{
    tools_bar->setVisible(tools_bar_action->isChecked());
}

void MainWindow::toggle_basic_bar()
{
    basic_bar->setVisible(basic_bar_action->isChecked());
}

void MainWindow::toggle_actions_bar()
{
    actions_bar->setVisible(actions_bar_action->isChecked());
}

void MainWindow::toggle_object_names_bar()
{
    object_names_bar->setVisible(object_names_bar_action->isChecked());
}

// ---- View ---------------------------------------------------------------------------

void MainWindow::zoom_in()
{
    if (DrawingWindow* drawing = active_child_drawing(); drawing && drawing->panel) drawing->view->zoom_in();
}

void MainWindow::zoom_out()
{
    if (DrawingWindow* drawing = active_child_drawing(); drawing && drawing->panel) drawing->view->zoom_out();
}

void MainWindow::actual_size()
{
    if (DrawingWindow* drawing = active_child_drawing(); drawing && drawing->panel) drawing->view->actual_size();
}

void MainWindow::zoom_to_fit()
{
    if (DrawingWindow* drawing = active_child_drawing(); drawing && drawing->panel) drawing->view->zoom_to_fit();
}

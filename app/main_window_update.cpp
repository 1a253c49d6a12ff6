// The enabling rules of the main window's commands. Each runs whenever the
// application is idle and changes a state only when it differs from what it
// computes.
#include "app/main_window.h"
#include "document/drawing_tool_table.h"
#include "document/drawing_window.h"
#include "document/panel_view.h"
#include <QAction>
#include <QMdiArea>
#include <QToolButton>

void MainWindow::idle_update()
{
    update_tools();
    update_file_commands();
    update_cut_copy();
    update_undo();
    update_redo();
    update_font_button();
    update_zoom();
    const bool has_windows = !drawings_.isEmpty();
    for (QAction* action : {cascade_action, tile_horizontally_action, tile_vertically_action, minimize_all_action, arrange_action})
        if (action->isEnabled() != has_windows) action->setEnabled(has_windows);
}

void MainWindow::update_tools()
{
    const bool drawing_active = active_child_drawing() != nullptr;
    QList<QAction*> followers(tool_actions.begin(), tool_actions.end());
    followers << make_stereogram_action << delete_action;
    const bool enabled = tool_action(DrawingTool::Pointer)->isEnabled();
    if (drawing_active && !enabled) {
        for (QAction* action : followers) action->setEnabled(true);
    } else if (!drawing_active && enabled) {
        for (QToolButton* button : tool_buttons) button->setChecked(false);
        for (QAction* action : followers) action->setEnabled(false);
    }
}

void MainWindow::update_file_commands()
{
    const bool open = !drawings_.isEmpty();
    if (open == save_action->isEnabled()) return;
    for (QAction* action : {save_action, save_as_action, close_action, import_action, import_model_action, make_animation_action})
        action->setEnabled(open);
}

void MainWindow::update_cut_copy()
{
    const DrawingWindow* drawing = active_child_drawing();
    const bool can_cut = drawing && current_tool == DrawingTool::Pointer && drawing->current_shape;
    if (can_cut == cut_action->isEnabled()) return;
    for (QAction* action : {cut_action, copy_action, delete_action}) action->setEnabled(can_cut);
}

namespace {

// "&Undo Move Object" while the list has entries, a plain "&Undo" otherwise.
void update_history_action(QAction* action, const QString& base, const UndoHistory::EntryList* list)
{
    const bool has_entry = list && !list->empty();
    const QString caption = has_entry ? base + QLatin1Char(' ') + list->front()->caption : base;
    if (action->text() != caption) action->setText(caption);
    if (action->isEnabled() != has_entry) action->setEnabled(has_entry);
}

} // namespace

void MainWindow::update_undo()
{
    const DrawingWindow* drawing = active_child_drawing();
    update_history_action(undo_action, tr("&Undo"), drawing ? &drawing->history.undo_list : nullptr);
}

void MainWindow::update_redo()
{
    const DrawingWindow* drawing = active_child_drawing();
    update_history_action(redo_action, tr("&Redo"), drawing ? &drawing->history.redo_list : nullptr);
}

void MainWindow::update_font_button()
{
    // The font is chosen for the text tool only.
    const std::optional<DrawingTool> chosen = chosen_tool();
    const bool visible = chosen && drawing_tool_row(*chosen).gesture == ToolGesture::Text
        && tool_button(*chosen)->isEnabled();
    if (font_button_action->isVisible() != visible) font_button_action->setVisible(visible);
}

void MainWindow::update_zoom()
{
    const DrawingWindow* drawing = active_child_drawing();
    const bool shown = drawing && drawing->panel;
    const int step = shown ? drawing->view->zoom_step() : 0;
    const std::pair<QAction*, bool> rules[] = {{zoom_in_action, shown && step < PanelView::max_zoom_step},
                                               {zoom_out_action, shown && step > PanelView::min_zoom_step},
                                               {actual_size_action, shown},
                                               {zoom_to_fit_action, shown}};
    for (const auto& [action, enabled] : rules)
        if (action->isEnabled() != enabled) action->setEnabled(enabled);
    // The zoom shown belongs to a drawing; with none active there is none.
    if (!drawing && !status_panel(2).isEmpty()) set_status_panel(2, QString());
}

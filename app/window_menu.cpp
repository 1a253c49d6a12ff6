// The Window menu's list of open drawings, rebuilt each time the menu opens,
// and the Window List for drawings beyond the tenth.
#include "app/about_dialog.h"
#include "app/window_list_dialog.h"
#include "app/main_window.h"
#include "core/shorten_caption.h"
#include "document/drawing_window.h"
#include "platform/guard.h"
#include "platform/modal.h"
#include <QListWidget>
#include <QMenu>

namespace {
constexpr int listed_drawings = 10;
}

void MainWindow::update_window_menu()
{
    // Items after the fixed ones are made afresh from the open drawings.
    while (window_menu->actions().size() > window_menu_base_) {
        QAction* surplus = window_menu->actions().constLast();
        window_menu->removeAction(surplus);
        delete surplus;
    }
    if (drawings_.isEmpty()) return;

    window_menu->addSeparator();
    const int shown = std::min(static_cast<int>(drawings_.size()), listed_drawings);
    for (int k = 0; k < shown; ++k) {
        QAction* item = window_menu->addAction(shorten_caption(drawing_names_[k], 40, k));
        item->setStatusTip(drawing_names_[k]);
        DrawingWindow* drawing = drawings_[k];
        connect(item, &QAction::triggered, this, [this, drawing] {
            run_guarded([&] {
                if (drawings_.contains(drawing)) activate_drawing(drawing);
            });
        });
    }
    if (drawings_.size() > listed_drawings) {
        QAction* more = window_menu->addAction(tr("More files..."));
        more->setStatusTip(tr("Show list of all open files"));
        connect(more, &QAction::triggered, this, [this] { run_guarded([&] { show_window_list(); }); });
    }
    // The mark follows the active window, which stays active when a drawing
    // behind it closes and leaves the commands without a drawing.
    const DrawingWindow* shown_active = active_child_drawing();
    const qsizetype active = shown_active ? drawings_.indexOf(shown_active) : -1;
    if (active >= 0 && active < listed_drawings) {
        QAction* item = window_menu->actions()[window_menu_base_ + 1 + static_cast<int>(active)];
        item->setCheckable(true);
        item->setChecked(true);
    }
}

void MainWindow::show_about()
{
    show_modal(*about_dialog);
}

void MainWindow::show_window_list()
{
    show_modal(*window_list_dialog);
    // The list's current row is no choice: moving the focus into it sets one.
    const QList<QListWidgetItem*> selected = window_list_dialog->drawing_list->selectedItems();
    if (window_list_dialog->cancelled || selected.isEmpty()) return;
    const int chosen = window_list_dialog->drawing_list->row(selected.constFirst());
    if (chosen < 0 || chosen >= drawings_.size()) return;
    activate_drawing(drawings_[chosen]);
}

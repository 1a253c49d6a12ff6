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

void MainWindow::Window1Click()
{
    // Items after the fixed ones are made afresh from the open drawings.
    while (Window1->actions().size() > window_menu_base) {
        QAction* surplus = Window1->actions().constLast();
        Window1->removeAction(surplus);
        delete surplus;
    }
    if (drawings.isEmpty()) return;

    Window1->addSeparator();
    const int shown = std::min(static_cast<int>(drawings.size()), listed_drawings);
    for (int k = 0; k < shown; ++k) {
        QAction* item = Window1->addAction(shorten_caption(drawing_names[k], 40, k));
        item->setStatusTip(drawing_names[k]);
        DrawingWindow* drawing = drawings[k];
        connect(item, &QAction::triggered, this, [this, drawing] {
            run_guarded([&] {
                if (drawings.contains(drawing)) activate_drawing(drawing);
            });
        });
    }
    if (drawings.size() > listed_drawings) {
        QAction* more = Window1->addAction(QStringLiteral("More files..."));
        more->setStatusTip(QStringLiteral("Show list of all open files"));
        connect(more, &QAction::triggered, this, [this] { run_guarded([&] { show_window_list(); }); });
    }
    // The mark follows the active window, which stays active when a drawing
    // behind it closes and leaves the commands without a drawing.
    const DrawingWindow* shown_active = active_child_drawing();
    const qsizetype active = shown_active ? drawings.indexOf(shown_active) : -1;
    if (active >= 0 && active < listed_drawings) {
        QAction* item = Window1->actions()[window_menu_base + 1 + static_cast<int>(active)];
        item->setCheckable(true);
        item->setChecked(true);
    }
}

void MainWindow::About1Click()
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
    if (chosen < 0 || chosen >= drawings.size()) return;
    activate_drawing(drawings[chosen]);
}

#include "app/window_list_dialog.h"
#include "app/main_window.h"
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <algorithm>

WindowListDialog* window_list_dialog = nullptr;

namespace {
constexpr int item_height = 13;
}

WindowListDialog::WindowListDialog()
{
    setObjectName(QStringLiteral("window_list_dialog"));
    setWindowTitle(tr("Window List"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    prompt_label = new QLabel(tr("Select drawing from list"), this);
    prompt_label->setGeometry(24, 12, 217, 16);
    drawing_scroll_area = new QScrollArea(this);
    drawing_scroll_area->setGeometry(24, 32, 217, 129);
    drawing_list = new QListWidget;
    drawing_list->setFrameShape(QFrame::NoFrame);
    drawing_list->setSelectionMode(QAbstractItemView::SingleSelection);
    drawing_list->setUniformItemSizes(true);
    drawing_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    drawing_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    drawing_scroll_area->setWidget(drawing_list);
    drawing_list->move(0, 0);

    ok_button = new QPushButton(tr("Ok"), this);
    ok_button->setGeometry(80, 176, 75, 25);
    ok_button->setDefault(true);
    cancel_button = new QPushButton(tr("Cancel"), this);
    cancel_button->setGeometry(166, 176, 75, 25);
    connect(ok_button, &QPushButton::clicked, this, &WindowListDialog::on_ok_clicked);
    connect(cancel_button, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(cancel_button->geometry().right() + 1 + 24, cancel_button->geometry().bottom() + 1 + 24);
}

void WindowListDialog::showEvent(QShowEvent* event)
{
    fill_list();
    QDialog::showEvent(event);
}

void WindowListDialog::fill_list()
{
    // Anything but Ok counts as Cancel, the close box included.
    cancelled = 1;
    drawing_list->clear();
    const QStringList names = main_window ? main_window->drawing_names() : QStringList();
    const QFontMetrics metrics(drawing_list->font());
    int widest = 0;
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(name, drawing_list);
        item->setSizeHint(QSize(metrics.horizontalAdvance(name) + 4, item_height));
        widest = std::max(widest, metrics.horizontalAdvance(name) + 4);
    }
    const QSize room = drawing_scroll_area->viewport()->size();
    drawing_list->resize(std::max(widest, room.width()),
                     std::max(static_cast<int>(names.size()) * item_height, room.height()));
    drawing_list->setCurrentRow(-1);
    drawing_list->clearSelection();
}

void WindowListDialog::on_ok_clicked()
{
    cancelled = 0;
    accept();
}

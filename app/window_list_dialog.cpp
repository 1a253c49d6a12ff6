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
    setWindowTitle(QStringLiteral("Window List"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    Label1 = new QLabel(QStringLiteral("Select drawing from list"), this);
    Label1->setGeometry(24, 12, 217, 16);
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setGeometry(24, 32, 217, 129);
    ListBox1 = new QListWidget;
    ListBox1->setFrameShape(QFrame::NoFrame);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setWidget(ListBox1);
    ListBox1->move(0, 0);

    Button1 = new QPushButton(QStringLiteral("Ok"), this);
    Button1->setGeometry(80, 176, 75, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button2->setGeometry(166, 176, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &WindowListDialog::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(Button2->geometry().right() + 1 + 24, Button2->geometry().bottom() + 1 + 24);
}

void WindowListDialog::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void WindowListDialog::FormShow()
{
    // Anything but Ok counts as Cancel, the close box included.
    cancelled = 1;
    ListBox1->clear();
    const QStringList names = main_window ? main_window->drawing_names() : QStringList();
    const QFontMetrics metrics(ListBox1->font());
    int widest = 0;
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(name, ListBox1);
        item->setSizeHint(QSize(metrics.horizontalAdvance(name) + 4, item_height));
        widest = std::max(widest, metrics.horizontalAdvance(name) + 4);
    }
    const QSize room = ScrollBox1->viewport()->size();
    ListBox1->resize(std::max(widest, room.width()),
                     std::max(static_cast<int>(names.size()) * item_height, room.height()));
    ListBox1->setCurrentRow(-1);
    ListBox1->clearSelection();
}

void WindowListDialog::Button1Click()
{
    cancelled = 0;
    accept();
}

#include "app/main_window.h"
#include "app/command_icons.h"
#include "app/tool_button.h"
#include "document/drawing_tool_table.h"
#include "core/configuration.h"
#include "document/drawing_window.h"
#include "platform/guard.h"
#include "platform/message_box.h"
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <utility>

MainWindow* main_window = nullptr;

namespace {
const QString drawing_file_filter = QStringLiteral("Stereogram Drawing File (*.sdf)|*.sdf");
}

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
{
    main_window = this;
    setObjectName(QStringLiteral("main_window"));
    setWindowTitle(QStringLiteral("Dioramix"));
    setWindowIcon(program_icon());
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    mdi = new QMdiArea(this);
    mdi->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(mdi);

    create_actions();
    create_menus();
    create_toolbars();
    create_status_bar();

    for (FileDialog* dialog : {&OpenDialog1, &SaveDialog2}) {
        dialog->Filter = drawing_file_filter;
        dialog->DefaultExt = QStringLiteral("sdf");
    }
    OpenDialog1.Title = QStringLiteral("Open Drawing");
    SaveDialog2.Title = QStringLiteral("Save Drawing");

    resize(789, 573);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate();
    create_preview();
    qApp->installEventFilter(this);
    idle_update();
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    if (main_window == this) main_window = nullptr;
}

void MainWindow::FormCreate()
{
    history.clear();
    history_base = static_cast<int>(File1->actions().size()) - 2;
    connect(File1, &QMenu::aboutToShow, this, [this] { run_guarded([&] { File1Click(); }); });
    const ConfigurationLoad loaded = load_configuration([this](RegistryKey& key) { load_history(key); });
    for (const QString& problem : loaded.problems) message_box(problem, MessageKind::Error, MessageButtons::Ok);
    start_maximized = loaded.maximized;
    drawings.clear();
    drawing_names.clear();
    window_menu_base = static_cast<int>(Window1->actions().size());
}

QAction* MainWindow::command(const char* name, const QString& caption, const QString& hint,
                            const QKeySequence& shortcut, void (MainWindow::*handler)())
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    action->setStatusTip(hint);
    action->setToolTip(hint);
    action->setShortcut(shortcut);
    action->setIcon(command_icon(QLatin1String(name)));
    if (handler) connect(action, &QAction::triggered, this, [this, handler] { run_guarded([&] { (this->*handler)(); }); });
    return action;
}

void MainWindow::create_actions()
{
    New1 = command("New1", QStringLiteral("&New"), QStringLiteral("New"), QKeySequence(Qt::CTRL | Qt::Key_N), &MainWindow::New1Execute);
    Open1 = command("Open1", QStringLiteral("&Open"), QStringLiteral("Open"), QKeySequence(Qt::CTRL | Qt::Key_O), &MainWindow::Open1Execute);
    Save1 = command("Save1", QStringLiteral("&Save"), QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S), &MainWindow::Save1Execute);
    SaveAs1 = command("SaveAs1", QStringLiteral("S&ave As"), QStringLiteral("Save As"), QKeySequence(), &MainWindow::SaveAs1Execute);
    Close1 = command("Close1", QStringLiteral("&Close"), QStringLiteral("Close"), QKeySequence(), &MainWindow::Close1Execute);
    Import1 = command("Import1", QStringLiteral("&Import From File"), QStringLiteral("Import objects from other file"),
                      QKeySequence(Qt::CTRL | Qt::Key_I), &MainWindow::Import1Execute);
    Exit1 = command("Exit1", QStringLiteral("&Exit"), QString(), QKeySequence(Qt::CTRL | Qt::Key_F4), &MainWindow::Exit1Click);
    Undo1 = command("Undo1", QStringLiteral("&Undo"), QStringLiteral("Undo previous action"),
                    QKeySequence(Qt::ALT | Qt::Key_Backspace), &MainWindow::Undo1Execute);
    Redo1 = command("Redo1", QStringLiteral("&Redo"), QStringLiteral("Redo previous undo action"),
                    QKeySequence(Qt::CTRL | Qt::Key_Z), &MainWindow::Redo1Execute);
    Cut1 = command("Cut1", QStringLiteral("Cu&t"), QStringLiteral("Cut"), QKeySequence(Qt::CTRL | Qt::Key_X), &MainWindow::Cut1Execute);
    Copy1 = command("Copy1", QStringLiteral("&Copy"), QStringLiteral("Copy"), QKeySequence(Qt::CTRL | Qt::Key_C), &MainWindow::Copy1Execute);
    Paste1 = command("Paste1", QStringLiteral("&Paste"), QStringLiteral("Paste"), QKeySequence(Qt::CTRL | Qt::Key_V), &MainWindow::Paste1Execute);
    EditDelete1 = command("EditDelete1", QStringLiteral("&Delete"), QStringLiteral("Delete"),
                          QKeySequence(Qt::SHIFT | Qt::Key_Delete), &MainWindow::EditDelete1Execute);
    ZoomIn1 = command("ZoomIn1", QStringLiteral("Zoom &In"), QStringLiteral("Show the drawing larger"), QKeySequence(),
                      &MainWindow::ZoomIn1Execute);
    ZoomIn1->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    ZoomOut1 = command("ZoomOut1", QStringLiteral("Zoom &Out"), QStringLiteral("Show the drawing smaller"),
                       QKeySequence(Qt::CTRL | Qt::Key_Minus), &MainWindow::ZoomOut1Execute);
    ActualSize1 = command("ActualSize1", QStringLiteral("&Actual Size"), QStringLiteral("Show the drawing one screen pixel per pixel"),
                          QKeySequence(Qt::CTRL | Qt::Key_0), &MainWindow::ActualSize1Execute);
    ZoomToFit1 = command("ZoomToFit1", QStringLiteral("Zoom to &Fit"), QStringLiteral("Show the whole drawing in its window"),
                         QKeySequence(), &MainWindow::ZoomToFit1Execute);
    makestereo1 = command("makestereo1", QStringLiteral("&Make Stereogram"), QStringLiteral("Make Stereogram"),
                          QKeySequence(Qt::CTRL | Qt::Key_M), &MainWindow::makestereo1Execute);
    LivePreview1 = command("LivePreview1", QStringLiteral("Live &Preview"),
                           QStringLiteral("Show the active drawing's stereogram as it changes"), QKeySequence(Qt::Key_F5),
                           nullptr);
    LivePreview1->setCheckable(true);
    configure1 = command("configure1", QStringLiteral("&Configure"), QStringLiteral("Configure"),
                         QKeySequence(Qt::CTRL | Qt::Key_F1), &MainWindow::configure1Execute);

    Cascade1 = command("Cascade1", QStringLiteral("&Cascade"), QStringLiteral("Cascade"), QKeySequence(), nullptr);
    TileHorizontally1 = command("TileHorizontally1", QStringLiteral("Tile &Horizontally"), QStringLiteral("Tile Horizontaly"), QKeySequence(), nullptr);
    TileVertically1 = command("TileVertically1", QStringLiteral("&Tile Vertically"), QStringLiteral("Tile Vertically"), QKeySequence(), nullptr);
    MinimizeAll1 = command("MinimizeAll1", QStringLiteral("&Minimize All"), QStringLiteral("Minimize All"), QKeySequence(), &MainWindow::minimize_all);
    Arrange1 = command("Arrange1", QStringLiteral("&Arrange All"), QStringLiteral("Arrange"), QKeySequence(), &MainWindow::arrange_icons);
    connect(Cascade1, &QAction::triggered, this, [this] { cascade(); });
    connect(TileHorizontally1, &QAction::triggered, this, [this] { tile(Qt::Horizontal); });
    connect(TileVertically1, &QAction::triggered, this, [this] { tile(Qt::Vertical); });

    Tools1 = command("Tools1", QStringLiteral("Tools"), QString(), QKeySequence(), &MainWindow::Tools1Click);
    Basic1 = command("Basic1", QStringLiteral("Basic"), QString(), QKeySequence(), &MainWindow::Basic1Click);
    Actions1 = command("Actions1", QStringLiteral("Actions"), QString(), QKeySequence(), &MainWindow::Actions1Click);
    ObjectNames1 = command("ObjectNames1", QStringLiteral("ObjectNames"), QString(), QKeySequence(), &MainWindow::ObjectNames1Click);
    for (QAction* item : {Tools1, Basic1, Actions1, ObjectNames1}) {
        item->setCheckable(true);
        item->setChecked(true);
        item->setIcon(QIcon());
    }

    Contents1 = command("Contents1", QStringLiteral("&Contents"), QString(), QKeySequence(), &MainWindow::Contents1Click);
    About1 = command("About1", QStringLiteral("&About..."), QString(), QKeySequence(), &MainWindow::About1Click);
    for (QAction* item : {Contents1, About1, Exit1}) item->setIcon(QIcon());

    create_tool_actions();
    font_action = command("font_action", tr("fontchange"), tr("Change Font"), QKeySequence(), &MainWindow::change_font);

    // No drawing is open at start.
    for (QAction* action : {makestereo1, EditDelete1, Save1, SaveAs1, Close1, Import1, Cut1, Copy1, Undo1, Redo1,
                            ZoomIn1, ZoomOut1, ActualSize1, ZoomToFit1})
        action->setEnabled(false);
}

void MainWindow::create_tool_actions()
{
    for (const DrawingToolRow& row : drawing_tool_table()) {
        auto* action = new QAction(drawing_tool_caption(row), this);
        action->setObjectName(QLatin1String(row.action_name));
        action->setStatusTip(drawing_tool_hint(row));
        action->setToolTip(drawing_tool_hint(row));
        action->setIcon(tool_icon(row));
        const DrawingTool tool = row.tool;
        connect(action, &QAction::triggered, this, [this, tool] { run_guarded([&] { choose_tool(tool); }); });
        action->setEnabled(false);
        tool_actions[std::size_t(tool)] = action;
    }
}

void MainWindow::create_tool_buttons()
{
    for (const DrawingToolRow& row : drawing_tool_table()) {
        auto* button = new ToolButton(QLatin1String(row.button_name), tool_action(row.tool), toolbar);
        tool_buttons[std::size_t(row.tool)] = button;
        toolbar->addWidget(button);
    }
}

void MainWindow::create_menus()
{
    auto menu = [this](const char* name, const QString& title, const QString& hint) {
        QMenu* m = menuBar()->addMenu(title);
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setStatusTip(hint);
        return m;
    };
    File1 = menu("File1", QStringLiteral("&File"), QStringLiteral("File related commands"));
    File1->addActions({New1, Open1, Save1, SaveAs1, Close1});
    File1->addSeparator();
    File1->addAction(Import1);
    File1->addSeparator();
    File1->addAction(Exit1);

    Edit1 = menu("Edit1", QStringLiteral("&Edit"), QStringLiteral("Edit related commands"));
    Edit1->addActions({Undo1, Redo1});
    Edit1->addSeparator();
    Edit1->addActions({Cut1, Copy1, Paste1, EditDelete1});
    Edit1->addSeparator();
    ShowToolbars1 = Edit1->addMenu(QStringLiteral("&Show Toolbars"));
    ShowToolbars1->setObjectName(QStringLiteral("ShowToolbars1"));
    ShowToolbars1->addActions({Tools1, Basic1, Actions1, ObjectNames1});

    View1 = menu("View1", QStringLiteral("&View"), QStringLiteral("View related commands"));
    View1->addActions({ZoomIn1, ZoomOut1, ActualSize1, ZoomToFit1});

    Render1 = menu("Render1", QStringLiteral("&Render"), QStringLiteral("Render drawing to stereogram"));
    Render1->addAction(makestereo1);
    Render1->addAction(LivePreview1);
    Options1 = menu("Options1", QStringLiteral("&Options"), QStringLiteral("Program options"));
    Options1->addAction(configure1);
    Window1 = menu("Window1", QStringLiteral("&Window"), QStringLiteral("Window related commands"));
    Window1->addActions({Cascade1, TileHorizontally1, TileVertically1, MinimizeAll1, Arrange1});
    connect(Window1, &QMenu::aboutToShow, this, [this] { run_guarded([&] { Window1Click(); }); });
    Help1 = menu("Help1", QStringLiteral("&Help"), QString());
    Help1->addActions({Contents1, About1});
}

void MainWindow::create_toolbars()
{
    auto bar = [this](const char* name, const QString& title) {
        QToolBar* b = addToolBar(title);
        b->setObjectName(QLatin1String(name));
        b->setIconSize(QSize(20, 20));
        return b;
    };
    toolbar = bar("toolbar", QStringLiteral("Tools"));
    create_tool_buttons();
    toolbar->addSeparator();
    font_button = new QToolButton(toolbar);
    font_button->setObjectName(QStringLiteral("font_button"));
    font_button->setDefaultAction(font_action);
    font_button->setAutoRaise(true);
    font_button_action = toolbar->addWidget(font_button);
    font_button_action->setVisible(false);

    create_object_names();

    basic = bar("basic", QStringLiteral("Basic"));
    basic->addActions({New1, Open1, Save1});
    basic->addSeparator();
    basic->addActions({Undo1, Redo1});
    basic->addSeparator();
    basic->addActions({Cut1, Copy1, Paste1, EditDelete1});
    basic->addSeparator();
    basic->addActions({TileHorizontally1, TileVertically1, Cascade1});

    actions = bar("actions", QStringLiteral("Actions"));
    actions->addAction(makestereo1);
    actions->addAction(LivePreview1);
    actions->addSeparator();
    actions->addAction(configure1);

    // The bars' own context menu hides them too: the check marks of Show
    // Toolbars follow the bars, whoever shows or hides them.
    const std::pair<QToolBar*, QAction*> items[] = {
        {toolbar, Tools1}, {basic, Basic1}, {actions, Actions1}, {objectnames_bar, ObjectNames1}};
    for (const auto& [shown, item] : items) connect(shown, &QToolBar::visibilityChanged, item, &QAction::setChecked);
}

void MainWindow::create_object_names()
{
    objectnames_bar = addToolBar(QStringLiteral("Object Names"));
    objectnames_bar->setObjectName(QStringLiteral("objectnames_bar"));
    objectnames = new QComboBox(objectnames_bar);
    objectnames->setObjectName(QStringLiteral("objectnames"));
    objectnames->setEditable(true);
    objectnames->setInsertPolicy(QComboBox::NoInsert);
    objectnames->setCompleter(nullptr);
    objectnames->setFixedWidth(129);
    QFont small = objectnames->font();
    small.setPixelSize(13);
    objectnames->setFont(small);
    objectnames->setEnabled(false);
    // Names are changed only by Enter; the edit field's own ending of an
    // edit must not pick another item.
    QObject::disconnect(objectnames->lineEdit(), &QLineEdit::editingFinished, nullptr, nullptr);
    objectnames->lineEdit()->installEventFilter(this);
    connect(objectnames, &QComboBox::activated, this, [this](int index) { run_guarded([&] { objectnamesClick(index); }); });
    objectnames_action = objectnames_bar->addWidget(objectnames);
}

void MainWindow::create_status_bar()
{
    QStatusBar* statbar = statusBar();
    statbar->setObjectName(QStringLiteral("statbar"));
    const int widths[3] = {350, 175, 50};
    for (int i = 0; i < 3; ++i) {
        status_panels[i] = new QLabel(statbar);
        status_panels[i]->setObjectName(QStringLiteral("statbar_panel%1").arg(i));
        status_panels[i]->setFixedWidth(widths[i]);
        status_panels[i]->setFrameShape(QFrame::Panel);
        status_panels[i]->setFrameShadow(QFrame::Sunken);
        statbar->addWidget(status_panels[i]);
    }
}

void MainWindow::set_status_panel(int index, const QString& text)
{
    status_panels[index]->setText(text);
}

QString MainWindow::status_panel(int index) const
{
    return status_panels[index]->text();
}

std::optional<DrawingTool> MainWindow::chosen_tool() const
{
    for (const DrawingToolRow& row : drawing_tool_table())
        if (tool_button(row.tool)->isChecked()) return row.tool;
    return std::nullopt;
}

bool MainWindow::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        // Hints go to the first status panel, leaving the others in place.
        set_status_panel(0, static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::schedule_idle_update()
{
    if (idle_update_pending) return;
    idle_update_pending = true;
    QTimer::singleShot(0, this, [this] {
        idle_update_pending = false;
        idle_update();
    });
}

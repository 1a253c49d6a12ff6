#include "app/main_window.h"
#include "app/command_icons.h"
#include "app/file_history.h"
#include "app/tool_button.h"
#include "app/window_arrangement.h"
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

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
{
    main_window = this;
    setObjectName(QStringLiteral("main_window"));
    setWindowTitle(tr("Dioramix"));
    setWindowIcon(program_icon());
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    drawing_area = new QMdiArea(this);
    drawing_area->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(drawing_area);
    arrangement_ = std::make_unique<WindowArrangement>(*drawing_area);

    create_actions();
    create_menus();
    create_toolbars();
    create_status_bar();

    for (FileDialog* dialog : {&open_dialog_, &save_dialog_}) {
        dialog->filter = tr("Stereogram Drawing File (*.sdf)|*.sdf");
        dialog->default_suffix = QStringLiteral("sdf");
    }
    open_dialog_.title = tr("Open Drawing");
    save_dialog_.title = tr("Save Drawing");

    resize(789, 573);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    load_settings();
    create_preview();
    qApp->installEventFilter(this);
    idle_update();
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    if (main_window == this) main_window = nullptr;
}

void MainWindow::load_settings()
{
    file_history_ = new FileHistory(*file_menu, this);
    connect(file_history_, &FileHistory::chosen, this, &MainWindow::open_from_history);
    const ConfigurationLoad loaded = load_configuration([this](RegistryKey& key) { file_history_->load(key); });
    for (const QString& problem : loaded.problems) message_box(problem, MessageKind::Error, MessageButtons::Ok);
    start_maximized_ = loaded.maximized;
    drawings_.clear();
    drawing_names_.clear();
    window_menu_base_ = static_cast<int>(window_menu->actions().size());
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
    new_action = command("new_action", tr("&New"), tr("New"), QKeySequence(Qt::CTRL | Qt::Key_N), &MainWindow::new_drawing);
    open_action = command("open_action", tr("&Open"), tr("Open"), QKeySequence(Qt::CTRL | Qt::Key_O), &MainWindow::open_drawing);
    save_action = command("save_action", tr("&Save"), tr("Save"), QKeySequence(Qt::CTRL | Qt::Key_S), &MainWindow::save);
    save_as_action = command("save_as_action", tr("S&ave As"), tr("Save As"), QKeySequence(), &MainWindow::save_as);
    close_action = command("close_action", tr("&Close"), tr("Close"), QKeySequence(), &MainWindow::close_drawing);
    import_action = command("import_action", tr("&Import From File"), tr("Import objects from other file"),
                            QKeySequence(Qt::CTRL | Qt::Key_I), &MainWindow::import_objects);
    import_model_action = command("import_model_action", tr("Import 3D &Model..."), tr("Import a 3D model as an object"),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M), &MainWindow::import_model);
    exit_action = command("exit_action", tr("&Exit"), QString(), QKeySequence(Qt::CTRL | Qt::Key_F4), &MainWindow::exit_program);
    undo_action = command("undo_action", tr("&Undo"), tr("Undo previous action"),
                          QKeySequence(Qt::ALT | Qt::Key_Backspace), &MainWindow::undo);
    redo_action = command("redo_action", tr("&Redo"), tr("Redo previous undo action"),
                          QKeySequence(Qt::CTRL | Qt::Key_Z), &MainWindow::redo);
    cut_action = command("cut_action", tr("Cu&t"), tr("Cut"), QKeySequence(Qt::CTRL | Qt::Key_X), &MainWindow::cut);
    copy_action = command("copy_action", tr("&Copy"), tr("Copy"), QKeySequence(Qt::CTRL | Qt::Key_C), &MainWindow::copy);
    paste_action = command("paste_action", tr("&Paste"), tr("Paste"), QKeySequence(Qt::CTRL | Qt::Key_V), &MainWindow::paste);
    delete_action = command("delete_action", tr("&Delete"), tr("Delete"),
                            QKeySequence(Qt::SHIFT | Qt::Key_Delete), &MainWindow::delete_object);
    zoom_in_action = command("zoom_in_action", tr("Zoom &In"), tr("Show the drawing larger"), QKeySequence(),
                             &MainWindow::zoom_in);
    zoom_in_action->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    zoom_out_action = command("zoom_out_action", tr("Zoom &Out"), tr("Show the drawing smaller"),
                              QKeySequence(Qt::CTRL | Qt::Key_Minus), &MainWindow::zoom_out);
    actual_size_action = command("actual_size_action", tr("&Actual Size"), tr("Show the drawing one screen pixel per pixel"),
                                 QKeySequence(Qt::CTRL | Qt::Key_0), &MainWindow::actual_size);
    zoom_to_fit_action = command("zoom_to_fit_action", tr("Zoom to &Fit"), tr("Show the whole drawing in its window"),
                                 QKeySequence(), &MainWindow::zoom_to_fit);
    make_stereogram_action = command("make_stereogram_action", tr("&Make Stereogram"), tr("Make Stereogram"),
                                     QKeySequence(Qt::CTRL | Qt::Key_M), &MainWindow::make_stereogram);
    make_animation_action = command("make_animation_action", tr("Make &Animation..."),
                                    tr("Render the open drawings as the frames of an animation"), QKeySequence(),
                                    &MainWindow::make_animation);
    live_preview_action = command("live_preview_action", tr("Live &Preview"),
                                  tr("Show the active drawing's stereogram as it changes"), QKeySequence(Qt::Key_F5),
                                  nullptr);
    live_preview_action->setCheckable(true);
    configuration_action = command("configuration_action", tr("&Configure"), tr("Configure"),
                                   QKeySequence(Qt::CTRL | Qt::Key_F1), &MainWindow::configure);

    cascade_action = command("cascade_action", tr("&Cascade"), tr("Cascade"), QKeySequence(), nullptr);
    tile_horizontally_action = command("tile_horizontally_action", tr("Tile &Horizontally"), tr("Tile Horizontaly"), QKeySequence(), nullptr);
    tile_vertically_action = command("tile_vertically_action", tr("&Tile Vertically"), tr("Tile Vertically"), QKeySequence(), nullptr);
    minimize_all_action = command("minimize_all_action", tr("&Minimize All"), tr("Minimize All"), QKeySequence(), nullptr);
    arrange_action = command("arrange_action", tr("&Arrange All"), tr("Arrange"), QKeySequence(), nullptr);
    connect(cascade_action, &QAction::triggered, this, [this] { arrangement_->cascade(); });
    connect(tile_horizontally_action, &QAction::triggered, this, [this] { arrangement_->tile(Qt::Horizontal); });
    connect(tile_vertically_action, &QAction::triggered, this, [this] { arrangement_->tile(Qt::Vertical); });
    connect(minimize_all_action, &QAction::triggered, this, [this] { run_guarded([&] { arrangement_->minimize_all(); }); });
    connect(arrange_action, &QAction::triggered, this, [this] { run_guarded([&] { arrangement_->arrange_icons(); }); });

    tools_bar_action = command("tools_bar_action", tr("Tools"), QString(), QKeySequence(), &MainWindow::toggle_tools_bar);
    basic_bar_action = command("basic_bar_action", tr("Basic"), QString(), QKeySequence(), &MainWindow::toggle_basic_bar);
    actions_bar_action = command("actions_bar_action", tr("Actions"), QString(), QKeySequence(), &MainWindow::toggle_actions_bar);
    object_names_bar_action = command("object_names_bar_action", tr("ObjectNames"), QString(), QKeySequence(), &MainWindow::toggle_object_names_bar);
    for (QAction* item : {tools_bar_action, basic_bar_action, actions_bar_action, object_names_bar_action}) {
        item->setCheckable(true);
        item->setChecked(true);
        item->setIcon(QIcon());
    }

    contents_action = command("contents_action", tr("&Contents"), QString(), QKeySequence(), &MainWindow::show_user_manual);
    about_action = command("about_action", tr("&About..."), QString(), QKeySequence(), &MainWindow::show_about);
    for (QAction* item : {contents_action, about_action, exit_action}) item->setIcon(QIcon());

    create_tool_actions();
    font_action = command("font_action", tr("fontchange"), tr("Change Font"), QKeySequence(), &MainWindow::change_font);

    // No drawing is open at start.
    for (QAction* action : {make_stereogram_action, make_animation_action, delete_action, save_action, save_as_action, close_action,
                            import_action, import_model_action, cut_action, copy_action, undo_action, redo_action, zoom_in_action,
                            zoom_out_action, actual_size_action, zoom_to_fit_action})
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
        auto* button = new ToolButton(QLatin1String(row.button_name), tool_action(row.tool), tools_bar);
        tool_buttons[std::size_t(row.tool)] = button;
        tools_bar->addWidget(button);
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
    file_menu = menu("file_menu", tr("&File"), tr("File related commands"));
    file_menu->addActions({new_action, open_action, save_action, save_as_action, close_action});
    file_menu->addSeparator();
    file_menu->addActions({import_action, import_model_action});
    file_menu->addSeparator();
    file_menu->addAction(exit_action);

    edit_menu = menu("edit_menu", tr("&Edit"), tr("Edit related commands"));
    edit_menu->addActions({undo_action, redo_action});
    edit_menu->addSeparator();
    edit_menu->addActions({cut_action, copy_action, paste_action, delete_action});
    edit_menu->addSeparator();
    show_toolbars_menu = edit_menu->addMenu(tr("&Show Toolbars"));
    show_toolbars_menu->setObjectName(QStringLiteral("show_toolbars_menu"));
    show_toolbars_menu->addActions({tools_bar_action, basic_bar_action, actions_bar_action, object_names_bar_action});

    view_menu = menu("view_menu", tr("&View"), tr("View related commands"));
    view_menu->addActions({zoom_in_action, zoom_out_action, actual_size_action, zoom_to_fit_action});

    render_menu = menu("render_menu", tr("&Render"), tr("Render drawing to stereogram"));
    render_menu->addAction(make_stereogram_action);
    render_menu->addAction(make_animation_action);
    render_menu->addAction(live_preview_action);
    options_menu = menu("options_menu", tr("&Options"), tr("Program options"));
    options_menu->addAction(configuration_action);
    window_menu = menu("window_menu", tr("&Window"), tr("Window related commands"));
    window_menu->addActions({cascade_action, tile_horizontally_action, tile_vertically_action, minimize_all_action, arrange_action});
    connect(window_menu, &QMenu::aboutToShow, this, [this] { run_guarded([&] { update_window_menu(); }); });
    help_menu = menu("help_menu", tr("&Help"), QString());
    help_menu->addActions({contents_action, about_action});
}

void MainWindow::create_toolbars()
{
    auto bar = [this](const char* name, const QString& title) {
        QToolBar* b = addToolBar(title);
        b->setObjectName(QLatin1String(name));
        b->setIconSize(QSize(20, 20));
        return b;
    };
    tools_bar = bar("toolbar", tr("Tools"));
    create_tool_buttons();
    tools_bar->addSeparator();
    font_button = new QToolButton(tools_bar);
    font_button->setObjectName(QStringLiteral("font_button"));
    font_button->setDefaultAction(font_action);
    font_button->setAutoRaise(true);
    font_button_action = tools_bar->addWidget(font_button);
    font_button_action->setVisible(false);

    create_object_names();

    basic_bar = bar("basic", tr("Basic"));
    basic_bar->addActions({new_action, open_action, save_action});
    basic_bar->addSeparator();
    basic_bar->addActions({undo_action, redo_action});
    basic_bar->addSeparator();
    basic_bar->addActions({cut_action, copy_action, paste_action, delete_action});
    basic_bar->addSeparator();
    basic_bar->addActions({tile_horizontally_action, tile_vertically_action, cascade_action});

    actions_bar = bar("actions", tr("Actions"));
    actions_bar->addAction(make_stereogram_action);
    actions_bar->addAction(live_preview_action);
    actions_bar->addSeparator();
    actions_bar->addAction(configuration_action);

    // The bars' own context menu hides them too: the check marks of Show
    // Toolbars follow the bars, whoever shows or hides them.
    const std::pair<QToolBar*, QAction*> items[] = {
        {tools_bar, tools_bar_action},
        {basic_bar, basic_bar_action},
        {actions_bar, actions_bar_action},
        {object_names_bar, object_names_bar_action}};
    for (const auto& [shown, item] : items) connect(shown, &QToolBar::visibilityChanged, item, &QAction::setChecked);
}

void MainWindow::create_object_names()
{
    object_names_bar = addToolBar(tr("Object Names"));
    object_names_bar->setObjectName(QStringLiteral("objectnames_bar"));
    object_names_combo = new QComboBox(object_names_bar);
    object_names_combo->setObjectName(QStringLiteral("object_names_combo"));
    object_names_combo->setEditable(true);
    object_names_combo->setInsertPolicy(QComboBox::NoInsert);
    object_names_combo->setCompleter(nullptr);
    object_names_combo->setFixedWidth(129);
    QFont small = object_names_combo->font();
    small.setPixelSize(13);
    object_names_combo->setFont(small);
    object_names_combo->setEnabled(false);
    // Names are changed only by Enter; the edit field's own ending of an
    // edit must not pick another item.
    QObject::disconnect(object_names_combo->lineEdit(), &QLineEdit::editingFinished, nullptr, nullptr);
    object_names_combo->lineEdit()->installEventFilter(this);
    connect(object_names_combo, &QComboBox::activated, this, [this](int index) { run_guarded([&] { select_object_by_name(index); }); });
    object_names_combo_action_ = object_names_bar->addWidget(object_names_combo);
}

void MainWindow::create_status_bar()
{
    QStatusBar* statbar = statusBar();
    statbar->setObjectName(QStringLiteral("statbar"));
    const int widths[3] = {350, 175, 50};
    for (int i = 0; i < 3; ++i) {
        status_panels_[i] = new QLabel(statbar);
        status_panels_[i]->setObjectName(QStringLiteral("statbar_panel%1").arg(i));
        status_panels_[i]->setFixedWidth(widths[i]);
        status_panels_[i]->setFrameShape(QFrame::Panel);
        status_panels_[i]->setFrameShadow(QFrame::Sunken);
        statbar->addWidget(status_panels_[i]);
    }
}

void MainWindow::set_status_panel(int index, const QString& text)
{
    status_panels_[index]->setText(text);
}

QString MainWindow::status_panel(int index) const
{
    return status_panels_[index]->text();
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
    if (idle_update_pending_) return;
    idle_update_pending_ = true;
    QTimer::singleShot(0, this, [this] {
        idle_update_pending_ = false;
        idle_update();
    });
}

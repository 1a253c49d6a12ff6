#pragma once
// The main window: one multiple-document window holding a drawing window
// per open drawing, with the menus, tool bars, actions, tool modes and
// status bar, and the document commands.
#include "core/color.h"
#include "document/drawing_host.h"
#include "platform/file_dialog.h"
#include <QMainWindow>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QMdiArea;
class RegistryKey;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QToolButton;
class DrawingWindow;
class PreviewDock;
class PreviewRenderer;

class MainWindow : public QMainWindow, public DrawingHost {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // What the drawing windows ask.
    DrawingTool tool_mode() const override { return current_tool; }
    void activate_drawing(DrawingWindow* drawing) override;
    bool save_before_close(DrawingWindow& drawing) override;

    DrawingTool current_tool = DrawingTool::Pointer;
    DrawingWindow* active_drawing = nullptr;
    QList<DrawingWindow*> drawings;
    QStringList drawing_names;
    std::uint8_t save_as = 0;
    std::uint8_t open_with_dialog = 0;
    std::uint8_t file_missing = 0;
    int window_menu_base = 0;
    int history_base = 0;
    QStringList history;
    std::uint8_t opening_file = 0;

    // Components.
    QMdiArea* mdi = nullptr;
    QToolBar* toolbar = nullptr;
    QToolBar* basic = nullptr;
    QToolBar* actions = nullptr;
    QToolBar* objectnames_bar = nullptr;
    QComboBox* objectnames = nullptr;
    QToolButton* font_button = nullptr;
    FileDialog OpenDialog1{FileDialog::Kind::Open};
    FileDialog SaveDialog2{FileDialog::Kind::Save};

    QMenu* File1 = nullptr;
    QMenu* Edit1 = nullptr;
    QMenu* ShowToolbars1 = nullptr;
    QMenu* View1 = nullptr;
    QMenu* Render1 = nullptr;
    QMenu* Options1 = nullptr;
    QMenu* Window1 = nullptr;
    QMenu* Help1 = nullptr;

    QAction* New1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* Close1 = nullptr;
    QAction* Import1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* Undo1 = nullptr;
    QAction* Redo1 = nullptr;
    QAction* Cut1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Paste1 = nullptr;
    QAction* EditDelete1 = nullptr;
    QAction* Tools1 = nullptr;
    QAction* Basic1 = nullptr;
    QAction* Actions1 = nullptr;
    QAction* ObjectNames1 = nullptr;
    QAction* ZoomIn1 = nullptr;     // "Zoom &In", Ctrl++ and Ctrl+=
    QAction* ZoomOut1 = nullptr;    // "Zoom &Out", Ctrl+-
    QAction* ActualSize1 = nullptr; // "&Actual Size", Ctrl+0
    QAction* ZoomToFit1 = nullptr;  // "Zoom to &Fit"
    QAction* makestereo1 = nullptr;
    QAction* configure1 = nullptr;
    QAction* Cascade1 = nullptr;
    QAction* TileHorizontally1 = nullptr;
    QAction* TileVertically1 = nullptr;
    QAction* MinimizeAll1 = nullptr;
    QAction* Arrange1 = nullptr;
    QAction* Contents1 = nullptr;
    QAction* About1 = nullptr;
    QAction* font_action = nullptr;
    // The drawing tools' actions and tool bar buttons, one per row of the
    // tool table.
    QAction* tool_action(DrawingTool tool) const { return tool_actions[std::size_t(tool)]; }
    QToolButton* tool_button(DrawingTool tool) const { return tool_buttons[std::size_t(tool)]; }
    QAction* LivePreview1 = nullptr; // "Live &Preview", F5

    // The live preview of the active drawing (main_window_preview.cpp).
    PreviewDock* preview_dock = nullptr;
    PreviewRenderer* preview_renderer = nullptr;
    // Asks for a new preview once the events at hand are handled, so that a
    // burst of changes makes one render.
    void schedule_preview();
    bool preview_scheduled = false;

    // Whether the window starts maximised (the state saved at exit).
    bool start_maximized = true;

    // Operations for the drawing windows.
    void fill_object_names();
    void reapply_tool(DrawingWindow* drawing);
    void apply_tool(DrawingTool tool);
    void set_status_panel(int index, const QString& text);
    QString status_panel(int index) const;
    void enable_tools_toolbar();
    void clear_focused_control();
    // The drawing becomes, or stops being, the one the commands act on.
    void drawing_activated(DrawingWindow* drawing);
    void drawing_deactivated(DrawingWindow* drawing);
    void drawing_closed(DrawingWindow* drawing);
    void load_pending_drawing(DrawingWindow* drawing);
    // The active drawing in today's colours (after Configuration changes them).
    void recolor_active_drawing(TColor old_background, TColor old_object);
    // The drawing window that is the active child, if the active child is one.
    DrawingWindow* active_child_drawing() const;
    QMdiSubWindow* create_drawing_window(const QString& caption);

    // Drawing files (drawing_files.cpp). save_drawing asks for a path when
    // the drawing has none, its file was read only in part, or Save As is
    // under way; load_drawing reads the file into a new drawing window,
    // panel included, and returns false when the file holds no usable
    // drawing.
    bool save_drawing(DrawingWindow& drawing);
    bool load_drawing(DrawingWindow& drawing, const QString& path);
    // Where Open and Save As start: `drawing`'s folder, else the folder of
    // the drawing file last opened or saved.
    QString drawing_dialog_folder(const DrawingWindow* drawing) const;

    // Opening and the file history (main_window_files.cpp).
    void Open1Execute();
    void Save1Execute();
    void SaveAs1Execute();
    bool choose_file();
    // Opens the file named in OpenDialog1, chosen and checked by choose_file.
    void open_chosen_file();
    void add_to_history(const QString& path);
    void remove_from_history(const QString& path);
    void save_history();
    void load_history(RegistryKey& key);
    void File1Click();
    void open_from_history(QAction* item);

    // The clipboard commands on the active drawing (main_window_clipboard.cpp).
    void Cut1Execute();
    void Copy1Execute();
    void Paste1Execute();
    void Import1Execute(); // main_window_import.cpp
    bool pending_load_failed = false;

    // Command handlers.
    void New1Execute();
    void configure1Execute();
    void click_pointer();
    void Close1Execute();
    void Exit1Click();
    void EditDelete1Execute();
    void makestereo1Execute(); // make_stereogram.cpp
    void Undo1Execute();
    void Redo1Execute();
    void choose_tool(DrawingTool tool);
    void change_font();
    void objectnamesClick(int index);
    void Window1Click();
    void show_window_list();
    void About1Click();
    void Contents1Click(); // user_manual.cpp
    void objectnamesKeyUp(int key);
    void Tools1Click();
    void Basic1Click();
    void Actions1Click();
    void ObjectNames1Click();
    // The View menu: the active drawing's zoom.
    void ZoomIn1Execute();
    void ZoomOut1Execute();
    void ActualSize1Execute();
    void ZoomToFit1Execute();

    // The enabling rules, run whenever the application is idle.
    void idle_update();
    void update_tools();
    void Save1Update();
    void Cut1Update();
    void Undo1Update();
    void Redo1Update();
    void update_font_button();
    void zoom1Update();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void create_actions();
    void create_menus();
    void create_toolbars();
    void create_status_bar();
    void create_object_names();
    QAction* command(const char* name, const QString& caption, const QString& hint, const QKeySequence& shortcut,
                     void (MainWindow::*handler)());
    void watch_activation(QMdiSubWindow* window, DrawingWindow* drawing);
    void connect_drawing(DrawingWindow* drawing);
    void create_preview();
    void render_preview();
    void store_preview_place();
    // Pulls drawing windows back inside the area after it narrows.
    void keep_drawings_inside();
    // The dock has its width: restored from the last run or given at its first showing.
    bool preview_sized = false;
    // The size that shows a drawing window's whole panel, within the area.
    QSize window_size_for_panel(QMdiSubWindow* window) const;
    // Staggered places for drawing windows: the index-th is one title bar
    // further right and down than the one before, inside the area.
    int cascade_step(QMdiSubWindow* window) const;
    QRect cascade_slot(QMdiSubWindow* window, int index) const;
    int free_cascade_slot(QMdiSubWindow* window) const;
    void cascade();
    void set_tool_mode(DrawingWindow* drawing, DrawingTool tool, bool capture);
    void schedule_idle_update();
    void tile(Qt::Orientation orientation);
    void minimize_all();
    void arrange_icons();

    void create_tool_actions();
    void create_tool_buttons();
    // The tool whose button is down, if any.
    std::optional<DrawingTool> chosen_tool() const;
    std::array<QAction*, drawing_tool_count> tool_actions{};
    std::array<QToolButton*, drawing_tool_count> tool_buttons{};
    QAction* font_button_action = nullptr;
    QAction* objectnames_action = nullptr;
    QLabel* status_panels[3] = {nullptr, nullptr, nullptr};
    bool idle_update_pending = false;
};

extern MainWindow* main_window;

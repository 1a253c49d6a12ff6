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
#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QToolButton;
class DrawingWindow;
class FileHistory;
class PreviewDock;
class PreviewRenderer;
class WindowArrangement;

class MainWindow : public QMainWindow, public DrawingHost {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // What the drawing windows ask.
    DrawingTool tool_mode() const override { return current_tool; }
    void activate_drawing(DrawingWindow* drawing) override;
    bool save_before_close(DrawingWindow& drawing) override;
    QByteArray keep_generated_bitmap(const DrawingWindow& drawing, const QString& object_name,
                                     const QImage& bitmap) override; // generated_bitmaps.cpp

    DrawingTool current_tool = DrawingTool::Pointer;

    // The open drawings in the order they were opened, with their names:
    // the drawing file's path, or "Stereogram<n>" for one never saved.
    const QList<DrawingWindow*>& drawings() const { return drawings_; }
    const QStringList& drawing_names() const { return drawing_names_; }
    // The drawing the commands act on; none while no drawing is active.
    DrawingWindow* active_drawing() const { return active_drawing_; }
    FileHistory& file_history() const { return *file_history_; }
    // The Window menu's fixed items; the open drawings are listed after them.
    int window_menu_base() const { return window_menu_base_; }
    const FileDialog& open_dialog() const { return open_dialog_; }
    const FileDialog& save_dialog() const { return save_dialog_; }
    // Whether the window starts maximised (the state saved at exit).
    bool start_maximized() const { return start_maximized_; }

    // Components.
    QMdiArea* drawing_area = nullptr;
    QToolBar* tools_bar = nullptr;
    QToolBar* basic_bar = nullptr;
    QToolBar* actions_bar = nullptr;
    QToolBar* object_names_bar = nullptr;
    QComboBox* object_names_combo = nullptr;
    QToolButton* font_button = nullptr;

    QMenu* file_menu = nullptr;
    QMenu* edit_menu = nullptr;
    QMenu* show_toolbars_menu = nullptr;
    QMenu* view_menu = nullptr;
    QMenu* render_menu = nullptr;
    QMenu* options_menu = nullptr;
    QMenu* window_menu = nullptr;
    QMenu* help_menu = nullptr;

    QAction* new_action = nullptr;
    QAction* open_action = nullptr;
    QAction* save_action = nullptr;
    QAction* save_as_action = nullptr;
    QAction* close_action = nullptr;
    QAction* import_action = nullptr;
    QAction* import_model_action = nullptr; // "Import 3D &Model...", Ctrl+Shift+M
    QAction* exit_action = nullptr;
    QAction* undo_action = nullptr;
    QAction* redo_action = nullptr;
    QAction* cut_action = nullptr;
    QAction* copy_action = nullptr;
    QAction* paste_action = nullptr;
    QAction* delete_action = nullptr;
    QAction* tools_bar_action = nullptr;
    QAction* basic_bar_action = nullptr;
    QAction* actions_bar_action = nullptr;
    QAction* object_names_bar_action = nullptr;
    QAction* zoom_in_action = nullptr;     // "Zoom &In", Ctrl++ and Ctrl+=
    QAction* zoom_out_action = nullptr;    // "Zoom &Out", Ctrl+-
    QAction* actual_size_action = nullptr; // "&Actual Size", Ctrl+0
    QAction* zoom_to_fit_action = nullptr; // "Zoom to &Fit"
    QAction* make_stereogram_action = nullptr;
    QAction* make_animation_action = nullptr; // "Make &Animation...": the open drawings as frames
    QAction* configuration_action = nullptr;
    QAction* cascade_action = nullptr;
    QAction* tile_horizontally_action = nullptr;
    QAction* tile_vertically_action = nullptr;
    QAction* minimize_all_action = nullptr;
    QAction* arrange_action = nullptr;
    QAction* contents_action = nullptr;
    QAction* about_action = nullptr;
    QAction* font_action = nullptr;
    // The drawing tools' actions and tool bar buttons, one per row of the
    // tool table.
    QAction* tool_action(DrawingTool tool) const { return tool_actions[std::size_t(tool)]; }
    QToolButton* tool_button(DrawingTool tool) const { return tool_buttons[std::size_t(tool)]; }
    QAction* live_preview_action = nullptr; // "Live &Preview", F5

    // The live preview of the active drawing (main_window_preview.cpp).
    PreviewDock* preview_dock = nullptr;
    PreviewRenderer* preview_renderer = nullptr;
    // Asks for a new preview once the events at hand are handled, so that a
    // burst of changes makes one render.
    void schedule_preview();
    bool preview_pending() const { return preview_scheduled_; }

    // Operations for the drawing windows.
    void fill_object_names();
    void reapply_tool(DrawingWindow* drawing);
    void apply_tool(DrawingTool tool);
    void set_status_panel(int index, const QString& text);
    QString status_panel(int index) const;
    void enable_tools_toolbar();
    void clear_focused_control();
    // The active drawing in today's colours (after Configuration changes them).
    void recolor_active_drawing(StoredColor old_background, StoredColor old_object);
    // The drawing window that is the active child, if the active child is one.
    DrawingWindow* active_child_drawing() const;
    // A new drawing window listed under `name` (its file's path, or its
    // default name), its title `caption`.
    QMdiSubWindow* create_drawing_window(const QString& name, const QString& caption);

    // What became of a file asked to open by its name.
    enum class FileCheck { Usable, Missing, AlreadyOpen };
    // Opens the drawing file as Open does once it is chosen: a file already
    // open is reported as such, a missing one is left to the caller.
    FileCheck open_file(const QString& path);

    // Command handlers.
    void new_drawing();
    void open_drawing();
    void save();
    void save_as();
    void close_drawing();
    void import_objects(); // main_window_import.cpp
    void import_model();   // main_window_model_import.cpp
    void exit_program();
    void undo();
    void redo();
    void cut(); // main_window_clipboard.cpp
    void copy();
    void paste();
    void delete_object();
    void make_stereogram(); // make_stereogram.cpp
    void make_animation();  // make_animation.cpp
    void configure();
    void click_pointer();
    void choose_tool(DrawingTool tool);
    void change_font();
    void select_object_by_name(int index);
    void update_window_menu();
    void show_window_list();
    void show_about();
    void show_user_manual(); // user_manual.cpp
    void object_names_key_released(int key);
    void toggle_tools_bar();
    void toggle_basic_bar();
    void toggle_actions_bar();
    void toggle_object_names_bar();
    // The View menu: the active drawing's zoom.
    void zoom_in();
    void zoom_out();
    void actual_size();
    void zoom_to_fit();

    // The enabling rules, run whenever the application is idle.
    void idle_update();
    void update_tools();
    void update_file_commands();
    void update_cut_copy();
    void update_undo();
    void update_redo();
    void update_font_button();
    void update_zoom();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void load_settings();
    void create_actions();
    void create_menus();
    void create_toolbars();
    void create_status_bar();
    void create_object_names();
    QAction* command(const char* name, const QString& caption, const QString& hint, const QKeySequence& shortcut,
                     void (MainWindow::*handler)());
    void watch_activation(QMdiSubWindow* window, DrawingWindow* drawing);
    void connect_drawing(DrawingWindow* drawing);
    // The drawing becomes, or stops being, the one the commands act on.
    void drawing_activated(DrawingWindow* drawing);
    void drawing_deactivated(DrawingWindow* drawing);
    void drawing_closed(DrawingWindow* drawing);

    // Drawing files (drawing_files.cpp). save_drawing asks for a path when
    // the drawing has none, its file was read only in part, or `choose_path`
    // (Save As); load_drawing reads the file into a new drawing window,
    // panel included, and returns false when the file holds no usable
    // drawing.
    bool save_drawing(DrawingWindow& drawing, bool choose_path);
    bool load_drawing(DrawingWindow& drawing, const QString& path);
    // Where Open and Save As start: `drawing`'s folder, else the folder of
    // the drawing file last opened or saved.
    QString drawing_dialog_folder(const DrawingWindow* drawing) const;

    // Opening and the file history (main_window_files.cpp).
    FileCheck check_file(const QString& path);
    // Opens the file named in open_dialog_, checked by check_file.
    void open_chosen_file();
    void load_pending_drawing(DrawingWindow* drawing);
    void open_from_history(const QString& path);
    // The history's list changed: stored at once.
    void remember_file(const QString& path);

    void create_preview();
    void render_preview();
    void store_preview_place();
    void set_tool_mode(DrawingWindow* drawing, DrawingTool tool, bool capture);
    void schedule_idle_update();

    void create_tool_actions();
    void create_tool_buttons();
    // The tool whose button is down, if any.
    std::optional<DrawingTool> chosen_tool() const;
    std::array<QAction*, drawing_tool_count> tool_actions{};
    std::array<QToolButton*, drawing_tool_count> tool_buttons{};
    QAction* font_button_action = nullptr;

    QList<DrawingWindow*> drawings_;
    QStringList drawing_names_;
    DrawingWindow* active_drawing_ = nullptr;
    FileDialog open_dialog_{FileDialog::Kind::Open};
    FileDialog save_dialog_{FileDialog::Kind::Save};
    FileDialog model_file_dialog_{FileDialog::Kind::Open};
    FileHistory* file_history_ = nullptr;
    std::unique_ptr<WindowArrangement> arrangement_;
    int window_menu_base_ = 0;
    // A drawing window being created for open_dialog_'s file reads it when it
    // is first activated.
    bool opening_file_ = false;
    bool pending_load_failed_ = false;
    bool start_maximized_ = true;
    bool preview_scheduled_ = false;
    // The dock has its width: restored from the last run or given at its first showing.
    bool preview_sized_ = false;
    QAction* object_names_combo_action_ = nullptr;
    QLabel* status_panels_[3] = {nullptr, nullptr, nullptr};
    bool idle_update_pending_ = false;
};

extern MainWindow* main_window;

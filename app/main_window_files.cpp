// The main window's Open, Save and Save As, and opening from the file
// history.
#include "app/file_history.h"
#include "app/main_window.h"
#include "document/drawing_window.h"
#include "platform/file_identity.h"
#include "platform/guard.h"
#include "platform/message_box.h"
#include "render/render_request.h"
#include <QDir>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPointer>
#include <algorithm>

namespace {

// New drawings are named "Stereogram<n>", no path: only names with a folder
// are files.
bool is_open_file(const QStringList& drawing_names, const QString& path)
{
    const QString file = file_identity(path);
    return std::any_of(drawing_names.begin(), drawing_names.end(), [&file](const QString& name) {
        return QDir::isAbsolutePath(name) && file_identity(name) == file;
    });
}

// Keeps a mouse move left over from the closing file dialog away from a
// drawing just opened: moves that carry a button reach its panel only after
// a press on it, so they cannot start a drag that marks it modified.
class StrayMoveGuard : public QObject {
public:
    explicit StrayMoveGuard(QWidget* panel) : QObject(panel) { panel->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress) {
            deleteLater();
            return false;
        }
        return event->type() == QEvent::MouseMove && static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton;
    }
};

} // namespace

void MainWindow::open_drawing()
{
    open_dialog_.title = tr("Open Drawing");
    open_dialog_.start_folder = drawing_dialog_folder(active_drawing_);
    if (!open_dialog_.execute()) return;
    if (check_file(open_dialog_.file_name) == FileCheck::Usable) open_chosen_file();
}

MainWindow::FileCheck MainWindow::check_file(const QString& path)
{
    if (!QFileInfo(path).isFile()) return FileCheck::Missing;
    if (is_open_file(drawing_names_, path)) {
        message_box(tr("File already open."), MessageKind::Information, MessageButtons::Ok);
        return FileCheck::AlreadyOpen;
    }
    return FileCheck::Usable;
}

MainWindow::FileCheck MainWindow::open_file(const QString& path)
{
    open_dialog_.file_name = path;
    const FileCheck check = check_file(path);
    if (check == FileCheck::Usable) open_chosen_file();
    return check;
}

void MainWindow::open_chosen_file()
{
    const QString name = open_dialog_.file_name;
    opening_file_ = true;
    pending_load_failed_ = false;
    QMdiSubWindow* window = nullptr;
    try {
        window = create_drawing_window(name, QFileInfo(name).fileName());
    } catch (...) {
        opening_file_ = false;
        throw;
    }
    opening_file_ = false;
    auto* drawing = qobject_cast<DrawingWindow*>(window->widget());
    if (pending_load_failed_ || !drawing) {
        // Nothing usable was read: the window goes again and the file does
        // not enter the history.
        if (drawing) drawing->modified = 0;
        window->close();
        return;
    }
    new StrayMoveGuard(drawing->panel);
    remember_file(name);
    click_pointer();
}

QString MainWindow::drawing_dialog_folder(const DrawingWindow* drawing) const
{
    if (drawing && drawing->panel) {
        const QString folder = drawing->panel->property(drawing_folder_property).toString();
        if (!folder.isEmpty()) return folder;
    }
    const QStringList& history = file_history_->paths();
    return history.isEmpty() ? QString() : QFileInfo(history.first()).absolutePath();
}

void MainWindow::load_pending_drawing(DrawingWindow* drawing)
{
    if (!load_drawing(*drawing, open_dialog_.file_name)) pending_load_failed_ = true;
}

void MainWindow::save()
{
    if (active_drawing_) save_drawing(*active_drawing_, false);
}

void MainWindow::save_as()
{
    if (active_drawing_) save_drawing(*active_drawing_, true);
}

void MainWindow::remember_file(const QString& path)
{
    file_history_->remove(path);
    file_history_->add(path);
    file_history_->save();
}

void MainWindow::open_from_history(const QString& path)
{
    const FileCheck check = open_file(path);
    if (check == FileCheck::Usable) return;
    if (check == FileCheck::Missing) file_history_->remove(path);
    file_history_->save();
}

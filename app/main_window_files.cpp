// The main window's Open, Save and Save As, and the file history in the
// File menu, kept in the registry value filehistory_list.
#include "app/main_window.h"
#include "core/configuration.h"
#include "core/shorten_caption.h"
#include "document/drawing_window.h"
#include "platform/file_identity.h"
#include "platform/guard.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "render/render_request.h"
#include <QDir>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <algorithm>

namespace {

const QString history_value = QStringLiteral("filehistory_list");

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

void MainWindow::Open1Execute()
{
    open_with_dialog = 1;
    OpenDialog1.Title = QStringLiteral("Open Drawing");
    OpenDialog1.InitialDir = drawing_dialog_folder(active_drawing);
    if (!choose_file()) return;
    open_chosen_file();
}

bool MainWindow::choose_file()
{
    file_missing = 0;
    if (open_with_dialog == 1 && !OpenDialog1.Execute()) return false;
    const QString name = OpenDialog1.FileName;
    if (!QFileInfo(name).isFile()) {
        file_missing = 1;
        return false;
    }
    if (is_open_file(drawing_names, name)) {
        message_box(QStringLiteral("File already open."), MessageKind::Information, MessageButtons::Ok);
        return false;
    }
    return true;
}

void MainWindow::open_chosen_file()
{
    const QString name = OpenDialog1.FileName;
    drawing_names.append(name);
    opening_file = 1;
    pending_load_failed = false;
    QMdiSubWindow* window = nullptr;
    try {
        window = create_drawing_window(QFileInfo(name).fileName());
    } catch (...) {
        opening_file = 0;
        throw;
    }
    opening_file = 0;
    auto* drawing = qobject_cast<DrawingWindow*>(window->widget());
    if (pending_load_failed || !drawing) {
        // Nothing usable was read: the window goes again and the file does
        // not enter the history.
        if (drawing) drawing->modified = 0;
        window->close();
        return;
    }
    new StrayMoveGuard(drawing->panel);
    remove_from_history(name);
    add_to_history(name);
    save_history();
    click_pointer();
}

QString MainWindow::drawing_dialog_folder(const DrawingWindow* drawing) const
{
    if (drawing && drawing->panel) {
        const QString folder = drawing->panel->property(drawing_folder_property).toString();
        if (!folder.isEmpty()) return folder;
    }
    return history.isEmpty() ? QString() : QFileInfo(history.first()).absolutePath();
}

void MainWindow::load_pending_drawing(DrawingWindow* drawing)
{
    if (!load_drawing(*drawing, OpenDialog1.FileName)) pending_load_failed = true;
}

void MainWindow::Save1Execute()
{
    save_as = 0;
    if (active_drawing) save_drawing(*active_drawing);
}

void MainWindow::SaveAs1Execute()
{
    save_as = 1;
    if (active_drawing) save_drawing(*active_drawing);
}

// ---- File history ------------------------------------------------------------

void MainWindow::add_to_history(const QString& path)
{
    if (Configuration.filehistory <= 0) return;
    if (history.isEmpty()) {
        auto* separator = new QAction(this);
        separator->setSeparator(true);
        File1->insertAction(File1->actions().value(history_base), separator);
    }
    while (history.size() >= Configuration.filehistory) {
        QAction* last = File1->actions().value(history_base + static_cast<int>(history.size()));
        history.removeLast();
        File1->removeAction(last);
        last->deleteLater();
    }
    auto* item = new QAction(shorten_caption(path, 40, 0), this);
    item->setStatusTip(path);
    connect(item, &QAction::triggered, this, [this, item] { run_guarded([&] { open_from_history(item); }); });
    File1->insertAction(File1->actions().value(history_base + 1), item);
    history.prepend(path);
}

void MainWindow::remove_from_history(const QString& path)
{
    const qsizetype at = history.indexOf(path);
    if (at < 0) return;
    QAction* item = File1->actions().value(history_base + 1 + static_cast<int>(at));
    history.removeAt(at);
    File1->removeAction(item);
    item->deleteLater();
    if (history.isEmpty()) {
        QAction* separator = File1->actions().value(history_base);
        File1->removeAction(separator);
        separator->deleteLater();
    }
}

void MainWindow::save_history()
{
    QString text;
    for (qsizetype i = history.size() - 1; i >= 0; --i) text += history[i] + QLatin1Char(',');
    RegistryKey key(QString::fromLatin1(configuration_key_path), true);
    key.write_string(history_value, text);
}

void MainWindow::load_history(RegistryKey& key)
{
    QString text = key.read_string(history_value);
    while (!text.isEmpty()) {
        const qsizetype comma = text.indexOf(QLatin1Char(','));
        if (comma < 0) {
            key.write_string(history_value, QString());
            return;
        }
        // An empty piece names no file.
        if (comma > 0) add_to_history(text.left(comma));
        text = text.mid(comma + 1);
    }
}

void MainWindow::File1Click()
{
    const QList<QAction*> items = File1->actions();
    for (qsizetype i = 0; i < history.size(); ++i)
        if (QAction* item = items.value(history_base + 1 + static_cast<int>(i)))
            item->setText(shorten_caption(history[i], 40, static_cast<int>(i)));
}

void MainWindow::open_from_history(QAction* item)
{
    const int i = static_cast<int>(File1->actions().indexOf(item)) - history_base - 1;
    if (i < 0 || i >= history.size()) return;
    const QString name = history[i];
    OpenDialog1.FileName = name;
    open_with_dialog = 0;
    if (!choose_file()) {
        if (file_missing == 1) remove_from_history(name);
        save_history();
        return;
    }
    open_chosen_file();
}

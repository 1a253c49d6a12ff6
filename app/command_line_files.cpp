#include "app/command_line_files.h"
#include "app/main_window.h"
#include "platform/guard.h"
#include "platform/message_box.h"
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <memory>

namespace {

// The missing files named in one message at most; the rest are counted.
constexpr qsizetype missing_files_named = 10;

QString missing_files_text(const QStringList& names)
{
    if (names.size() == 1) return QCoreApplication::translate("CommandLineFiles", "The file %1 does not exist.").arg(QDir::toNativeSeparators(names[0]));
    QString text = QCoreApplication::translate("CommandLineFiles", "These %1 files do not exist:").arg(names.size());
    for (const QString& name : names.first(std::min(names.size(), missing_files_named)))
        text += QLatin1Char('\n') + QDir::toNativeSeparators(name);
    if (names.size() > missing_files_named)
        text += QCoreApplication::translate("CommandLineFiles", "\nand %1 more.").arg(names.size() - missing_files_named);
    return text;
}

} // namespace

void open_command_line_files(MainWindow& main, const QStringList& paths)
{
    // The open dialog hands over absolute paths; the same form keeps
    // "already open" and the file history true to the file.
    QStringList names, missing;
    for (const QString& path : paths) {
        const QString name = QDir::cleanPath(QDir::current().absoluteFilePath(path));
        (QFileInfo::exists(name) ? names : missing) << name;
    }
    // Open's dialog offers only files that exist; a name typed or left in a
    // launcher may not, and the user asked for it. Many such names, as a
    // stale list hands over, make one message, not one each.
    if (!missing.isEmpty()) message_box(missing_files_text(missing), MessageKind::Error, MessageButtons::Ok);
    for (const QString& name : names) {
        run_guarded([&] {
            // Not a file after all (a folder), or gone since.
            if (main.open_file(name) == MainWindow::FileCheck::Missing)
                message_box(missing_files_text({name}), MessageKind::Error, MessageButtons::Ok);
        });
    }
}

namespace {

// Opens the files once, at the first of: the window shown on the screen, or
// the time limit (a platform that never reports it).
class OpenWhenShown : public QObject {
public:
    OpenWhenShown(MainWindow& main, QStringList paths)
        : QObject(&main), main_(main), paths_(std::move(paths))
    {
        QWindow* window = main.windowHandle();
        if (window && window->isExposed()) {
            open_soon();
            return;
        }
        main.installEventFilter(this);
        if (window) window->installEventFilter(this);
        QTimer::singleShot(1000, this, [this] { open_soon(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose) {
            if (auto* window = qobject_cast<QWindow*>(watched); window && window->isExposed()) open_soon();
        } else if (event->type() == QEvent::Show && watched == &main_ && main_.windowHandle()) {
            main_.windowHandle()->installEventFilter(this);
        }
        return false;
    }

private:
    void open_soon()
    {
        if (scheduled_) return;
        scheduled_ = true;
        // After the events already queued, among them the window's resize.
        QTimer::singleShot(0, &main_, [&form = main_, paths = paths_] { open_command_line_files(form, paths); });
        deleteLater();
    }

    MainWindow& main_;
    QStringList paths_;
    bool scheduled_ = false;
};

} // namespace

void open_command_line_files_when_shown(MainWindow& main, const QStringList& paths)
{
    if (!paths.isEmpty()) new OpenWhenShown(main, paths);
}

void open_handed_over_files(MainWindow& main, const QStringList& paths)
{
    if (paths.isEmpty()) return;
    // A drawing opening under a dialog would change what the dialog acts on.
    if (!main.isVisible() || QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        QTimer::singleShot(250, &main, [&main, paths] { open_handed_over_files(main, paths); });
        return;
    }
    main.setWindowState((main.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    main.raise();
    main.activateWindow();
    open_command_line_files(main, paths);
}

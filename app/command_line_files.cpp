#include "app/command_line_files.h"
#include "app/parentform.h"
#include "platform/guard.h"
#include "platform/message_box.h"
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <memory>

void open_command_line_files(TMainForm& main_form, const QStringList& paths)
{
    for (const QString& path : paths) {
        run_guarded([&] {
            // The open dialog hands over absolute paths; the same form keeps
            // "already open" and the file history true to the file.
            const QString name = QDir::cleanPath(QDir::current().absoluteFilePath(path));
            main_form.OpenDialog1.FileName = name;
            main_form.open_with_dialog = 0;
            if (main_form.choose_file()) {
                main_form.open_chosen_file();
                return;
            }
            // Open's dialog offers only files that exist; a name typed or
            // left in a launcher may not, and the user asked for it.
            if (main_form.file_missing == 1)
                message_box(QStringLiteral("The file %1 does not exist.").arg(QDir::toNativeSeparators(name)),
                            MessageKind::Error, MessageButtons::Ok);
        });
    }
}

namespace {

// Opens the files once, at the first of: the window shown on the screen, or
// the time limit (a platform that never reports it).
class OpenWhenShown : public QObject {
public:
    OpenWhenShown(TMainForm& main_form, QStringList paths)
        : QObject(&main_form), main_form_(main_form), paths_(std::move(paths))
    {
        QWindow* window = main_form.windowHandle();
        if (window && window->isExposed()) {
            open_soon();
            return;
        }
        main_form.installEventFilter(this);
        if (window) window->installEventFilter(this);
        QTimer::singleShot(1000, this, [this] { open_soon(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose) {
            if (auto* window = qobject_cast<QWindow*>(watched); window && window->isExposed()) open_soon();
        } else if (event->type() == QEvent::Show && watched == &main_form_ && main_form_.windowHandle()) {
            main_form_.windowHandle()->installEventFilter(this);
        }
        return false;
    }

private:
    void open_soon()
    {
        if (scheduled_) return;
        scheduled_ = true;
        // After the events already queued, among them the window's resize.
        QTimer::singleShot(0, &main_form_, [&form = main_form_, paths = paths_] { open_command_line_files(form, paths); });
        deleteLater();
    }

    TMainForm& main_form_;
    QStringList paths_;
    bool scheduled_ = false;
};

} // namespace

void open_command_line_files_when_shown(TMainForm& main_form, const QStringList& paths)
{
    if (!paths.isEmpty()) new OpenWhenShown(main_form, paths);
}

void open_handed_over_files(TMainForm& main_form, const QStringList& paths)
{
    if (paths.isEmpty()) return;
    // A drawing opening under a dialog would change what the dialog acts on.
    if (!main_form.isVisible() || QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        QTimer::singleShot(250, &main_form, [&main_form, paths] { open_handed_over_files(main_form, paths); });
        return;
    }
    main_form.setWindowState((main_form.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    main_form.raise();
    main_form.activateWindow();
    open_command_line_files(main_form, paths);
}

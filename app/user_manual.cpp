#include "app/user_manual.h"
#include "app/main_window.h"
#include "platform/message_box.h"
#include "platform/open_url.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

const QString manual_page = QStringLiteral("index.html");

// Where an installed program finds the manual, from its own folder.
const QString installed_manual_folder = QStringLiteral(DIORAMIX_MANUAL_DIR);

} // namespace

QString user_manual_file(const QString& program_folder)
{
    const QDir program(program_folder);
    for (const QString& folder : {QStringLiteral("manual"), installed_manual_folder}) {
        const QFileInfo page(QDir(program.filePath(folder)).filePath(manual_page));
        if (page.isFile()) return page.canonicalFilePath();
    }
    return {};
}

void MainWindow::show_user_manual()
{
    const QString manual = user_manual_file(QCoreApplication::applicationDirPath());
    if (manual.isEmpty()) {
        message_box(tr("The user manual is not installed."), MessageKind::Error, MessageButtons::Ok);
        return;
    }
    if (!open_url(QUrl::fromLocalFile(manual)))
        message_box(tr("No web browser could show the user manual %1.").arg(QDir::toNativeSeparators(manual)),
                    MessageKind::Error, MessageButtons::Ok);
}

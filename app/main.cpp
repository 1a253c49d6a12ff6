#include "app/application.h"
#include "app/command_line_files.h"
#include "app/dialogs.h"
#include "app/main_window.h"
#include "platform/instance_channel.h"
#include "platform/registry_file.h"
#include <QDir>

int main(int argc, char** argv)
{
    DioramixApplication app(argc, argv);
    // The language of the user's locale where the program speaks it, else English.
    install_translators(app, QLocale::system());
    // Every argument names a drawing (Qt has taken its own options).
    QStringList files;
    for (const QString& argument : app.arguments().mid(1)) files += QDir::current().absoluteFilePath(argument);

    // A program already running opens them instead; when it does not answer,
    // this one opens them itself.
    const QString channel = instance_channel::channel_name(registry::settings_file_path());
    if (!files.isEmpty() && instance_channel::hand_over(channel, files)) return 0;

    // Lets the desktop match the windows to dioramix.desktop and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("dioramix"));
    MainWindow window;
    create_dialogs(window);
    InstanceServer instance_server(channel);
    QObject::connect(&instance_server, &InstanceServer::files_received, &window,
                     [&window](const QStringList& paths) { open_handed_over_files(window, paths); });
    instance_server.listen();
    // Asked before showing, so that they open when the window is on the screen.
    open_command_line_files_when_shown(window, files);
    if (window.start_maximized())
        window.showMaximized();
    else
        window.show();
    const int status = app.exec();
    destroy_dialogs();
    return status;
}

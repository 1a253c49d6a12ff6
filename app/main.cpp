#include "app/application.h"
#include "app/command_line_files.h"
#include "app/dialogs.h"
#include "app/parentform.h"

int main(int argc, char** argv)
{
    DioramixApplication app(argc, argv);
    // Lets the desktop match the windows to dioramix.desktop and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("dioramix"));
    TMainForm main_form;
    create_dialogs();
    // Every argument names a drawing (Qt has taken its own options); asked
    // before showing, so that they open when the window is on the screen.
    open_command_line_files_when_shown(main_form, app.arguments().mid(1));
    if (main_form.start_maximized)
        main_form.showMaximized();
    else
        main_form.show();
    const int status = app.exec();
    destroy_dialogs();
    return status;
}

#include "app/application.h"
#include "app/command_line_files.h"
#include "app/dialogs.h"
#include "app/parentform.h"

int main(int argc, char** argv)
{
    DioramixApplication app(argc, argv);
    TMainForm main_form;
    create_dialogs();
    if (main_form.start_maximized)
        main_form.showMaximized();
    else
        main_form.show();
    // After Qt has taken its own options, every argument names a drawing.
    open_command_line_files(main_form, app.arguments().mid(1));
    const int status = app.exec();
    destroy_dialogs();
    return status;
}

#include "app/application.h"
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
    const int status = app.exec();
    destroy_dialogs();
    return status;
}

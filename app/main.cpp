#include "app/application.h"
#include "app/dialogs.h"
#include "app/panel_dimensions.h"
#include "app/parentform.h"
#include "platform/screen.h"

namespace {

// Until the panel dimensions dialog sets them, new drawings are 800 x 600
// pixels, their millimetres taken from the screen's resolution.
void set_initial_panel_dimensions()
{
    const ScreenMetrics screen = screen_metrics();
    PanelDimensions.width_px = 800;
    PanelDimensions.height_px = 600;
    PanelDimensions.width_mm = static_cast<int>(800.0 / screen.dpi_x * 25.4);
    PanelDimensions.height_mm = static_cast<int>(600.0 / screen.dpi_y * 25.4);
}

} // namespace

int main(int argc, char** argv)
{
    DioramixApplication app(argc, argv);
    TMainForm main_form;
    create_dialogs();
    set_initial_panel_dimensions();
    if (main_form.start_maximized)
        main_form.showMaximized();
    else
        main_form.show();
    const int status = app.exec();
    destroy_dialogs();
    return status;
}

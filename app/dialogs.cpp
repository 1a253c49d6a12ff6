#include "app/dialogs.h"
#include "app/about_dialog.h"
#include "app/import_dialog.h"
#include "app/window_list_dialog.h"
#include "app/main_window.h"
#include "dialogs/crop_dialog.h"
#include "dialogs/move_dialog.h"
#include "dialogs/panel_dimensions_dialog.h"
#include "dialogs/properties_dialog.h"
#include "dialogs/resize_dialog.h"
#include "dialogs/rotate_dialog.h"
#include "dialogs/morphology_dialog.h"
#include "dialogs/round_edges_dialog.h"
#include "dialogs/configuration_dialog.h"
#include "document/drawing_window.h"
#include "render/render_request.h"

void create_dialogs(MainWindow& main)
{
    morphology_dialog = new MorphologyDialog;
    morphology_dialog->drawing_folder = [&main] {
        const DrawingWindow* drawing = main.active_drawing();
        return drawing && drawing->panel ? drawing->panel->property(drawing_folder_property).toString() : QString();
    };
    round_edges_dialog = new RoundEdgesDialog;
    configuration_dialog = new ConfigurationDialog;
    QObject::connect(configuration_dialog, &ConfigurationDialog::colors_changed, &main, &MainWindow::recolor_active_drawing);
    panel_dimensions_dialog = new PanelDimensionsDialog;
    move_dialog = new MoveDialog;
    rotate_dialog = new RotateDialog;
    properties_dialog = new PropertiesDialog;
    crop_dialog = new CropDialog;
    import_dialog = new ImportDialog;
    resize_dialog = new ResizeDialog;
    window_list_dialog = new WindowListDialog;
    about_dialog = new AboutDialog;
}

void destroy_dialogs()
{
    delete about_dialog;
    about_dialog = nullptr;
    delete window_list_dialog;
    window_list_dialog = nullptr;
    delete resize_dialog;
    resize_dialog = nullptr;
    delete import_dialog;
    import_dialog = nullptr;
    delete crop_dialog;
    crop_dialog = nullptr;
    delete properties_dialog;
    properties_dialog = nullptr;
    delete rotate_dialog;
    rotate_dialog = nullptr;
    delete move_dialog;
    move_dialog = nullptr;
    delete panel_dimensions_dialog;
    panel_dimensions_dialog = nullptr;
    delete configuration_dialog;
    configuration_dialog = nullptr;
    delete round_edges_dialog;
    round_edges_dialog = nullptr;
    delete morphology_dialog;
    morphology_dialog = nullptr;
}

#include "app/make_stereogram.h"
#include "app/main_window.h"
#include "core/configuration.h"
#include "core/panel_dimensions.h"
#include "document/drawing_window.h"
#include "platform/message_box.h"
#include "render/render_name.h"
#include "render/renderer_library.h"

void request_stereogram(DrawingWindow& drawing)
{
    const RendererEntry renderer = load_renderer();
    if (!renderer.render_form) {
        message_box(renderer.problem, MessageKind::Error, MessageButtons::Ok);
        return;
    }
    RenderRequest request;
    request.panel = drawing.panel;
    request.shapes = &drawing.shapes;
    request.color = Configuration.background_color;
    ++drawing.render_count;
    const auto name = render_name_buffer(render_name(drawing.windowTitle(), drawing.render_count));
    const ConfigurationBlock configuration = configuration_block(Configuration);
    renderer.render_form(&request, configuration.data(), &PanelDimensions, name.data());
}

// The main window's command, kept beside the request it runs.
void MainWindow::make_stereogram()
{
    if (active_drawing_) request_stereogram(*active_drawing_);
}

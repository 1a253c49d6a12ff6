// The library's one export: RenderForm, called by the program's Make
// Stereogram with the request, configuration, panel and name blocks.
#include "veride/export.h"
#include "veride/library_ui.h"
#include "veride/picture_settings.h"
#include "veride/render_progress.h"
#include "veride/request_scene.h"
#include "veride/viewer.h"
#include <QCoreApplication>

#if defined(_WIN32)
#define VERIDE_EXPORT __declspec(dllexport)
#else
#define VERIDE_EXPORT __attribute__((visibility("default")))
#endif

namespace {

void render_form(const void* request_block, const void* configuration, const void* dimensions, const char* name)
{
    RequestedRender request = read_request(request_block, configuration, dimensions, name);
    // The picture options are the library's own, kept in the settings store
    // beside the program's values; the four blocks do not carry them.
    QString problem;
    const StoredPicture picture = read_picture_settings(&problem);
    if (!problem.isEmpty()) veride::message_seam()(request.window, problem);
    RenderInputs inputs{std::move(request.objects), std::nullopt, request.settings, request.seed,
                        request.drawing_folder};
    const RenderResult result =
        render_with_progress(request.name, inputs.rows(), request.window, [&](const RenderControl& c) {
            return render_inputs(inputs, picture.options, c);
        });
    for (const QString& warning : result.warnings) veride::message_seam()(request.window, warning);
    if (!result.error.isEmpty()) {
        veride::message_seam()(request.window, result.error);
        return;
    }
    if (result.cancelled) return;
    StereogramViewer viewer(std::move(inputs), picture, result, request.name, request.window);
    veride::modal_seam()(viewer);
}

} // namespace

extern "C" VERIDE_EXPORT void RenderForm(const void* request, const void* configuration, const void* dimensions,
                                         const char* name)
{
    // Nothing may be thrown back into the program, which did not build us.
    try {
        render_form(request, configuration, dimensions, name);
    } catch (const std::exception& e) {
        veride::message_seam()(nullptr, QCoreApplication::translate("Renderer", "The stereogram could not be made: %1").arg(e.what()));
    } catch (...) {
        veride::message_seam()(nullptr, QCoreApplication::translate("Renderer", "The stereogram could not be made."));
    }
}

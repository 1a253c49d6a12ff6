// The library's one export: RenderForm, called by the program's Make
// Stereogram with the request, configuration, panel and name blocks.
#include "veride/library_ui.h"
#include "veride/render_scene.h"
#include "veride/request_scene.h"
#include "veride/viewer.h"
#include <QApplication>
#include <QProgressDialog>
#include <atomic>

#if defined(_WIN32)
#define VERIDE_EXPORT __declspec(dllexport)
#else
#define VERIDE_EXPORT __attribute__((visibility("default")))
#endif

namespace {

// Renders with a progress bar that appears when the render takes longer
// than half a second, and a Cancel button.
RenderResult render_with_progress(const RequestedRender& request)
{
    QProgressDialog progress(QStringLiteral("Rendering %1...").arg(request.name), QStringLiteral("Cancel"), 0,
                             std::max(request.settings.height_px, 1), request.window);
    progress.setWindowTitle(QStringLiteral("Dioramix"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setValue(0);
    std::atomic<bool> cancel{false};
    RenderControl control;
    control.cancel = &cancel;
    control.poll = [&](int rows_done) {
        progress.setValue(rows_done);
        QCoreApplication::processEvents();
        if (progress.wasCanceled()) cancel = true;
    };
    return render_scene(request.objects, request.settings, request.seed, control);
}

void render_form(const void* request_block, const void* configuration, const void* dimensions, const char* name)
{
    const RequestedRender request = read_request(request_block, configuration, dimensions, name);
    const RenderResult result = render_with_progress(request);
    for (const QString& warning : result.warnings) veride::message_seam()(request.window, warning);
    if (!result.error.isEmpty()) {
        veride::message_seam()(request.window, result.error);
        return;
    }
    if (result.cancelled) return;
    StereogramViewer viewer(result, request.name, request.window);
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
        veride::message_seam()(nullptr, QStringLiteral("The stereogram could not be made: %1").arg(e.what()));
    } catch (...) {
        veride::message_seam()(nullptr, QStringLiteral("The stereogram could not be made."));
    }
}

#include "app/make_animation.h"
#include "app/animation_dialog.h"
#include "app/main_window.h"
#include "core/configuration.h"
#include "core/shape.h"
#include "document/drawing_window.h"
#include "document/panel_view.h"
#include "platform/message_box.h"
#include "render/render_request.h"
#include "veride/animation.h"
#include "veride/render_settings.h"
#include <QCoreApplication>
#include <QDir>
#include <QProgressDialog>
#include <atomic>
#include <new>

namespace {

// What the drawing renders as one frame: its objects on its panel, with the
// settings of the configuration, as Make Stereogram and the CLI render it.
RenderInputs drawing_inputs(const DrawingWindow& drawing)
{
    RenderInputs inputs;
    const ConfigurationBlock configuration = configuration_block(Configuration);
    const QSize pixels = drawing.panel->pixel_size();
    const std::int32_t panel[4] = {drawing.panel->width_mm, drawing.panel->height_mm, pixels.width(), pixels.height()};
    inputs.settings = settings_from_blocks(configuration.data(), reinterpret_cast<const unsigned char*>(panel));
    inputs.drawing_folder = drawing.panel->property(drawing_folder_property).toString();
    for (const Shape* shape : drawing.shapes)
        inputs.objects.push_back(scene_object_from_buffer(shape->name, shape->bounds(), shape->buffer,
                                                          Configuration.background_color, shape->morphology));
    return inputs;
}

} // namespace

bool make_animation(QWidget* parent, int count, const FrameInputs& frame, const AnimationChoice& choice)
{
    const std::unique_ptr<AnimationEncoder> encoder =
        animation_encoder(animation_format(choice.path), choice.frame_ms);
    if (!encoder) return false;
    const auto rendering = [count](int i) {
        return QCoreApplication::translate("MainWindow", "Rendering frame %1 of %2...").arg(i + 1).arg(count);
    };
    QProgressDialog progress(rendering(0), QCoreApplication::translate("MainWindow", "Cancel"), 0, count, parent);
    progress.setWindowTitle(QStringLiteral("Dioramix"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoReset(false);
    // Shown at once: events go on while frames render, and the window must
    // not take commands meanwhile.
    progress.setMinimumDuration(0);
    progress.show();
    std::atomic<bool> cancel{false};
    RenderControl control;
    control.cancel = &cancel;
    control.poll = [&](int) {
        QCoreApplication::processEvents();
        if (progress.wasCanceled()) cancel = true;
    };
    const auto fail = [&](const QString& text) {
        progress.hide();
        message_box(text, MessageKind::Error, MessageButtons::Ok);
        return false;
    };
    QStringList warnings;
    try {
        for (int i = 0; i < count; ++i) {
            QCoreApplication::processEvents();
            if (progress.wasCanceled()) return false;
            progress.setLabelText(rendering(i));
            const RenderResult result = render_inputs(frame(i), choice.options, control);
            if (result.cancelled || progress.wasCanceled()) return false;
            if (!result.error.isEmpty())
                return fail(QCoreApplication::translate("MainWindow", "Frame %1 of the animation cannot be rendered:\n%2")
                                .arg(i + 1)
                                .arg(result.error));
            warnings << result.warnings;
            const QString refused = encoder->add(laid_out_picture(result, choice.options));
            if (!refused.isEmpty())
                return fail(QCoreApplication::translate("MainWindow", "Frame %1 of the animation cannot be added:\n%2")
                                .arg(i + 1)
                                .arg(refused));
            progress.setValue(i + 1);
        }
        const QString unwritten = export_animation(*encoder, choice.path);
        if (!unwritten.isEmpty())
            return fail(QCoreApplication::translate("MainWindow", "The animation cannot be written to %1:\n%2")
                            .arg(QDir::toNativeSeparators(choice.path), unwritten));
    } catch (const std::bad_alloc&) {
        return fail(
            QCoreApplication::translate("MainWindow", "There is not enough memory for the %1 frames of the animation.")
                .arg(count));
    }
    progress.hide();
    // Told once, not once a frame.
    warnings.removeDuplicates();
    if (!warnings.isEmpty())
        message_box(warnings.join(QLatin1Char('\n')), MessageKind::Information, MessageButtons::Ok);
    return true;
}

// The main window's command: every open drawing a frame, in the Window menu's order.
void MainWindow::make_animation()
{
    if (drawings_.isEmpty()) return;
    for (const DrawingWindow* drawing : std::as_const(drawings_))
        if (!drawing->panel) return;
    const QSize size = drawings_.first()->panel->pixel_size();
    for (const DrawingWindow* drawing : std::as_const(drawings_)) {
        const QSize other = drawing->panel->pixel_size();
        if (other == size) continue;
        message_box(tr("%1 is %2 x %3 pixels and %4 is %5 x %6: the frames of an animation must be of one size.")
                        .arg(drawings_.first()->windowTitle())
                        .arg(size.width())
                        .arg(size.height())
                        .arg(drawing->windowTitle())
                        .arg(other.width())
                        .arg(other.height()),
                    MessageKind::Error, MessageButtons::Ok);
        return;
    }
    AnimationDialog dialog(false, drawing_dialog_folder(active_drawing_), this);
    if (!dialog.execute()) return;
    // The scenes as they are now: the progress dialog lets events through.
    std::vector<RenderInputs> frames;
    for (const DrawingWindow* drawing : std::as_const(drawings_)) frames.push_back(drawing_inputs(*drawing));
    ::make_animation(this, int(frames.size()), [&frames](int i) { return std::move(frames[std::size_t(i)]); }, dialog.choice());
}

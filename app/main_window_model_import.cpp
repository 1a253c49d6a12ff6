// Import 3D Model: a model file becomes one object at the panel's centre,
// its silhouette the pixels the model covers and its morphology a bitmap
// whose green channel carries the model's relief.
#include "app/animation_dialog.h"
#include "app/generated_bitmaps.h"
#include "app/make_animation.h"
#include "app/main_window.h"
#include "core/configuration.h"
#include "core/height_bitmap.h"
#include "core/mesh_raster.h"
#include "core/naming.h"
#include "core/shape.h"
#include "core/silhouette.h"
#include "dialogs/model_dialog.h"
#include "document/drawing_window.h"
#include "files/model_file.h"
#include "platform/errors.h"
#include "platform/guard.h"
#include "platform/message_box.h"
#include "veride/model_depth_map.h"
#include "veride/render_scene.h"
#include "veride/render_settings.h"
#include <QDir>
#include <QGuiApplication>
#include <cmath>
#include <memory>

namespace {

// "3D models (*.obj *.ply ...)|*.obj;*.ply;...|All files (*)|*"
QString model_filter()
{
    QStringList patterns;
    for (const QString& suffix : model_file_suffixes()) patterns << QStringLiteral("*.") + suffix;
    return QCoreApplication::translate("MainWindow", "3D models (%1)").arg(patterns.join(QLatin1Char(' ')))
        + QLatin1Char('|') + patterns.join(QLatin1Char(';')) + QLatin1Char('|')
        + QCoreApplication::translate("MainWindow", "All files (*)") + QStringLiteral("|*");
}

// Reading a large model, and rasterising it at a large size, take a moment.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The object the model makes at the chosen size, named and placed; its
// height bitmap is written first, so nothing is added when it cannot be.
std::unique_ptr<Shape> model_shape(DrawingWindow& drawing, const Mesh& mesh, const ModelChoice& choice)
{
    const int width = choice.width_px, height = choice.height_px;
    drawing.check_pixels_for(nullptr, width, height);
    const WaitCursor waiting;
    const ModelDepth depth = model_depth(mesh, choice.turn, width, height, 0);
    if (!depth.any_covered)
        throw DioramixError(QCoreApplication::translate("MainWindow", "The model covers no pixel at this size."));
    const std::vector<float> levels = relief_levels(depth);

    auto shape = std::make_unique<Shape>(&drawing, Configuration.background_color);
    shape->name = next_shape_name(drawing.shape_names());
    const StoredBitmap stored = store_generated_bitmap(drawing, shape->name, green_height_bitmap(width, height, levels));
    if (!stored.error.isEmpty())
        throw DioramixError(QCoreApplication::translate("MainWindow", "The height bitmap could not be written:\n%1")
                                .arg(stored.error));
    const QSize panel = drawing.panel->pixel_size();
    shape->set_bounds((panel.width() - width) / 2, (panel.height() - height) / 2, width, height);
    shape->buffer = buffer_from_silhouette(level_silhouette(width, height, levels), Configuration.background_color,
                                           Configuration.object_color);
    shape->morphology = green_height_morphology(stored.path, choice.base_mm, choice.base_mm + choice.relief_mm);
    return shape;
}

// The model shown in `dialog` turning once about its vertical axis from the
// dialog's orientation, at its size in pixels, from height 0 up by its
// relief, as dioramix-cli renders a turntable. The dialog stays open.
void make_turntable(ModelDialog& dialog, const Mesh& mesh, const DrawingWindow& drawing, const QString& folder)
{
    const ModelChoice model = dialog.choice();
    if (std::int64_t(model.width_px) * model.height_px > largest_panel_pixels) {
        message_box(QCoreApplication::translate("MainWindow", "A turntable of %1 x %2 pixels is too large to render.")
                        .arg(model.width_px)
                        .arg(model.height_px),
                    MessageKind::Error, MessageButtons::Ok);
        return;
    }
    AnimationDialog asked(true, folder, &dialog);
    if (!asked.execute()) return;
    const AnimationChoice animation = asked.choice();
    // The frames' millimetres at the panel's resolution.
    const QSize panel_px = drawing.panel->pixel_size();
    const auto millimetres = [&](int pixels) {
        return std::int32_t(
            std::max(1.0, std::round(double(pixels) * drawing.panel->width_mm / std::max(1, panel_px.width()))));
    };
    const std::int32_t panel[4] = {millimetres(model.width_px), millimetres(model.height_px), model.width_px,
                                   model.height_px};
    const ConfigurationBlock configuration = configuration_block(Configuration);
    const RenderSettings settings =
        settings_from_blocks(configuration.data(), reinterpret_cast<const unsigned char*>(panel));
    const DepthLimits limits{settings.min_height, settings.max_height};
    const auto frame = [&](int i) {
        RenderInputs inputs;
        inputs.settings = settings;
        ModelTurn turn = model.turn;
        turn.yaw += 360.0 * i / animation.frames;
        inputs.depth = model_depth_map(mesh, turn, model.width_px, model.height_px, model.relief_mm, limits);
        return inputs;
    };
    make_animation(&dialog, animation.frames, frame, animation);
}

} // namespace

void MainWindow::import_model()
{
    DrawingWindow* drawing = active_drawing_;
    if (!drawing || !drawing->panel) return;
    model_file_dialog_.title = tr("Import 3D Model");
    model_file_dialog_.filter = model_filter();
    model_file_dialog_.start_folder = drawing_dialog_folder(drawing);
    if (!model_file_dialog_.execute()) return;
    const QString path = model_file_dialog_.file_name;
    const ModelFile model = [&path] {
        const WaitCursor waiting;
        return read_model_file(path);
    }();
    if (!model.error.isEmpty()) {
        message_box(tr("The 3D model %1 cannot be read:\n%2").arg(QDir::toNativeSeparators(path), model.error),
                    MessageKind::Error, MessageButtons::Ok);
        return;
    }

    ModelDialog dialog(model.mesh, drawing->panel->pixel_size().width(), drawing->panel->width_mm, this);
    connect(&dialog, &ModelDialog::turntable_asked, this, [&] {
        run_guarded([&] { make_turntable(dialog, model.mesh, *drawing, drawing_dialog_folder(drawing)); });
    });
    if (!dialog.execute()) return;
    std::unique_ptr<Shape> shape = model_shape(*drawing, model.mesh, dialog.choice());

    // One undo entry from no object to the new one: Undo takes it away.
    HistoryEntry* entry = drawing->history.create_entry(tr("Import 3D Model"));
    drawing->history.take_snapshot(entry, 0, nullptr);
    drawing->shapes.append(shape.get());
    drawing->history.take_snapshot(entry, 1, shape.release());
    entry->rebuild = 1;
    drawing->panel->update_pixels(drawing->shapes.last()->bounds());
    // An imported model is work that closing must not drop unasked.
    drawing->modified = 1;
    emit drawing->shapes_changed();
    drawing->mark_changed();
    fill_object_names();
}

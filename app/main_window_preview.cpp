// The live preview: a dock beside the drawings that follows every change of
// the active drawing's scene. Renders run on a worker with a fixed seed, so
// an unchanged area keeps its dots; changes made while one runs coalesce
// into one more render. A drag changes the scene only when it is released,
// so while the mouse moves only the outline follows it and nothing renders.
#include "app/main_window.h"
#include "app/preview_dock.h"
#include "app/preview_renderer.h"
#include "core/configuration.h"
#include "core/settings_table.h"
#include "core/shape.h"
#include "document/drawing_window.h"
#include "platform/guard.h"
#include "platform/registry.h"
#include "render/render_request.h"
#include "veride/picture_settings.h"
#include "veride/render_settings.h"
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <QToolBar>
#include <algorithm>

namespace {

// A stored value of the preview's rows, or its default when missing or unreadable.
std::int32_t stored_number(const char* name)
{
    const SettingRow& row = setting_named(name);
    try {
        RegistryKey key(QString::fromLatin1(configuration_key_path), false);
        if (key.value_exists(QString::fromLatin1(name))) return std::get<std::int32_t>(read_setting(key, row));
    } catch (const std::exception&) {
    }
    return std::get<std::int32_t>(row.fixed);
}

void store_number(const char* name, std::int32_t value)
{
    RegistryKey key(QString::fromLatin1(configuration_key_path), true);
    write_setting(key, setting_named(name), value);
}

// Qt's main-window state, which holds the dock's size and place; empty when
// none was stored.
QByteArray stored_layout()
{
    try {
        RegistryKey key(QString::fromLatin1(configuration_key_path), false);
        if (key.value_exists(QStringLiteral("preview_layout")))
            return QByteArray::fromBase64(
                std::get<QString>(read_setting(key, setting_named("preview_layout"))).toLatin1());
    } catch (const std::exception&) {
    }
    return {};
}

void store_layout(const QByteArray& state)
{
    RegistryKey key(QString::fromLatin1(configuration_key_path), true);
    write_setting(key, setting_named("preview_layout"), QString::fromLatin1(state.toBase64()));
}

constexpr int layout_version = 1;

Qt::DockWidgetArea usable_area(std::int32_t stored)
{
    switch (stored) {
    case Qt::LeftDockWidgetArea:
    case Qt::RightDockWidgetArea:
    case Qt::TopDockWidgetArea:
    case Qt::BottomDockWidgetArea: return Qt::DockWidgetArea(stored);
    default: return Qt::RightDockWidgetArea;
    }
}

PreviewJob preview_job(const DrawingWindow& drawing)
{
    PreviewJob job;
    job.drawing = &drawing;
    const ConfigurationBlock configuration = configuration_block(Configuration);
    const std::int32_t panel[4] = {drawing.panel->width_mm, drawing.panel->height_mm, drawing.panel->pixel_size().width(),
                                   drawing.panel->pixel_size().height()};
    job.settings = settings_from_blocks(configuration.data(), reinterpret_cast<const unsigned char*>(panel));
    // The result window's current choices: pattern, colours, oversampling, viewing.
    job.options = read_picture_settings().options;
    job.drawing_folder = drawing.panel->property(drawing_folder_property).toString();
    for (const Shape* shape : drawing.shapes)
        job.objects.push_back(scene_object_from_buffer(shape->name, shape->bounds(), shape->buffer,
                                                       Configuration.background_color, shape->morphology));
    return job;
}

} // namespace

void MainWindow::create_preview()
{
    preview_renderer = new PreviewRenderer(this);
    preview_dock = new PreviewDock(this);
    // Floating, it would lie over the drawings and their title-bar buttons.
    preview_dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    // The side and visibility rows come first: a store from before the
    // layout row has only them.
    addDockWidget(usable_area(stored_number("preview_area")), preview_dock);
    preview_dock->setVisible(stored_number("preview_visible") != 0);
    preview_sized_ = restoreState(stored_layout(), layout_version);
    // The state holds the tool bars too, but every start shows them all.
    for (QToolBar* bar : {tools_bar, basic_bar, actions_bar, object_names_bar}) bar->setVisible(true);
    live_preview_action->setChecked(!preview_dock->isHidden());

    connect(live_preview_action, &QAction::toggled, preview_dock, &QDockWidget::setVisible);
    connect(preview_dock, &QDockWidget::visibilityChanged, this, [this](bool) {
        // Hidden by its close box or shown again: the menu follows.
        const bool shown = !preview_dock->isHidden();
        if (live_preview_action->isChecked() != shown) live_preview_action->setChecked(shown);
        // A stereogram fuses only at its own size: the dock first takes a
        // third of the window, enough for a good part of one while the
        // drawings keep the rest. Later it keeps the width the user gave it.
        const bool beside = dockWidgetArea(preview_dock) & (Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
        if (shown && beside && !preview_sized_) {
            resizeDocks({preview_dock}, {width() / 3}, Qt::Horizontal);
            preview_sized_ = true;
        }
        if (shown) schedule_preview();
        store_preview_place();
    });
    connect(preview_dock, &QDockWidget::dockLocationChanged, this, [this] { store_preview_place(); });
    connect(preview_renderer, &PreviewRenderer::rendered, this, [this](const void* drawing, const PreviewPicture& picture) {
        if (drawing == active_drawing_) preview_dock->show_picture(picture);
    });
}

void MainWindow::store_preview_place()
{
    run_guarded([&] {
        store_number("preview_visible", preview_dock->isHidden() ? 0 : 1);
        store_number("preview_area", std::int32_t(dockWidgetArea(preview_dock)));
        store_layout(saveState(layout_version));
    });
}

void MainWindow::schedule_preview()
{
    if (!preview_dock || preview_dock->isHidden() || preview_scheduled_) return;
    preview_scheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        preview_scheduled_ = false;
        render_preview();
    });
}

void MainWindow::render_preview()
{
    if (preview_dock->isHidden()) return;
    if (!active_drawing_ || !active_drawing_->panel) {
        preview_dock->show_nothing();
        return;
    }
    preview_renderer->request(preview_job(*active_drawing_));
}

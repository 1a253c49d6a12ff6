#include "app/preview_renderer.h"
#include "veride/depth_map.h"
#include "veride/render_scene.h"
#include <QMetaObject>

PreviewRenderer::PreviewRenderer(QObject* parent) : QObject(parent) {}

PreviewRenderer::~PreviewRenderer()
{
    cancel_ = true;
    if (worker_.joinable()) worker_.join();
}

void PreviewRenderer::request(PreviewJob job)
{
    if (worker_.joinable()) {
        waiting_ = std::move(job);
        return;
    }
    start(std::move(job));
}

void PreviewRenderer::forget(const void* drawing)
{
    if (waiting_ && waiting_->drawing == drawing) waiting_.reset();
    if (running_for_ == drawing) cancel_ = true;
}

void PreviewRenderer::start(PreviewJob job)
{
    ++started_;
    cancel_ = false;
    running_for_ = job.drawing;
    worker_ = std::thread([this, job = std::move(job)] {
        RenderControl control;
        control.cancel = &cancel_;
        PreviewPicture picture;
        const RenderResult result = render_scene(job.objects, job.settings, job.seed, control, job.options);
        if (result.ok()) {
            picture.stereogram = result.stereogram;
            picture.depth = depth_map_image(result.depth);
            picture.zero_separation = result.zero_separation;
        } else {
            picture.error = result.error;
        }
        const void* drawing = job.drawing;
        // Back on the interface's thread; dropped with this object if it goes first.
        QMetaObject::invokeMethod(this, [this, drawing, picture] { finish(drawing, picture); }, Qt::QueuedConnection);
    });
}

void PreviewRenderer::finish(const void* drawing, PreviewPicture picture)
{
    if (worker_.joinable()) worker_.join();
    const bool cancelled = cancel_;
    running_for_ = nullptr;
    if (!cancelled) emit rendered(drawing, picture);
    if (waiting_) {
        PreviewJob next = std::move(*waiting_);
        waiting_.reset();
        start(std::move(next));
    }
}

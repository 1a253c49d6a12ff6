#include "app/preview_renderer.h"
#include "veride/depth_map.h"
#include "veride/render_scene.h"
#include <QMetaObject>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

// How long ending waits for a cancelled render before leaving it behind.
constexpr std::chrono::seconds longest_wait_at_exit(2);

} // namespace

struct PreviewRun {
    std::atomic<bool> cancel{false};
    std::mutex lock;
    std::condition_variable ended;
    bool done = false;                 // under `lock`
    PreviewRenderer* owner = nullptr;  // under `lock`; null once the renderer is gone
};

PreviewRenderer::PreviewRenderer(QObject* parent) : QObject(parent) {}

PreviewRenderer::~PreviewRenderer()
{
    if (!worker_.joinable()) return;
    running_->cancel = true;
    bool done = false;
    {
        std::unique_lock<std::mutex> hold(running_->lock);
        done = running_->ended.wait_for(hold, longest_wait_at_exit, [this] { return running_->done; });
        running_->owner = nullptr;
    }
    if (done) worker_.join();
    else worker_.detach();
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
    if (running_for_ == drawing && running_) running_->cancel = true;
}

void PreviewRenderer::start(PreviewJob job)
{
    ++started_;
    running_for_ = job.drawing;
    running_ = std::make_shared<PreviewRun>();
    running_->owner = this;
    worker_ = std::thread([run = running_, job = std::move(job)] {
        RenderControl control;
        control.cancel = &run->cancel;
        PreviewPicture picture;
        const RenderResult result = render_scene(job.objects, job.settings, job.seed, control, job.options,
                                                 bitmap_reader_for(job.drawing_folder));
        picture.warnings = result.warnings;
        if (result.ok()) {
            picture.stereogram = result.stereogram;
            picture.depth = depth_map_image(result.depth);
            picture.zero_separation = result.zero_separation;
        } else {
            picture.error = result.error;
        }
        const void* drawing = job.drawing;
        const std::lock_guard<std::mutex> hold(run->lock);
        run->done = true;
        run->ended.notify_all();
        // Back on the interface's thread; dropped with the renderer if it goes first.
        if (PreviewRenderer* owner = run->owner)
            QMetaObject::invokeMethod(
                owner, [owner, drawing, picture] { owner->finish(drawing, picture); }, Qt::QueuedConnection);
    });
}

void PreviewRenderer::finish(const void* drawing, PreviewPicture picture)
{
    if (worker_.joinable()) worker_.join();
    const bool cancelled = running_->cancel;
    running_for_ = nullptr;
    if (!cancelled) emit rendered(drawing, picture);
    if (waiting_) {
        PreviewJob next = std::move(*waiting_);
        waiting_.reset();
        start(std::move(next));
    }
}

#pragma once
// Renders the live preview away from the interface: one render at a time on
// a worker thread, from a snapshot of the scene, so editing never waits for
// it. Requests that arrive while a render runs coalesce: only the newest is
// kept and rendered next. A drawing that closes cancels its render at once.
// Ending waits a little for a render stuck in the system (a file on a slow
// network) and then leaves it behind, so that the program always ends.
#include "veride/picture_options.h"
#include "veride/render_settings.h"
#include "veride/scene.h"
#include <QImage>
#include <QObject>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

// Everything a preview render needs, copied from the drawing when asked.
struct PreviewJob {
    const void* drawing = nullptr; // whose scene; only compared, never followed
    std::vector<SceneObject> objects;
    RenderSettings settings;
    PictureOptions options;
    std::uint64_t seed = 1;
    QString drawing_folder; // where its morphology bitmaps are looked for
};

// What a render shares with its worker thread; kept by both, so that a
// worker left behind touches nothing that is gone.
struct PreviewRun;

struct PreviewPicture {
    QImage stereogram; // null when the render failed
    QImage depth;      // near is white
    int zero_separation = 0;
    QString error;     // why there is no stereogram
    QStringList warnings; // what the render went on without, such as an unreadable bitmap
};

class PreviewRenderer : public QObject {
    Q_OBJECT
public:
    explicit PreviewRenderer(QObject* parent = nullptr);
    ~PreviewRenderer() override;

    void request(PreviewJob job);
    // Stops the running render and forgets the waiting one if they are the
    // drawing's; its pictures are not announced.
    void forget(const void* drawing);

    int renders_started() const { return started_; }
    bool busy() const { return worker_.joinable(); }

signals:
    void rendered(const void* drawing, const PreviewPicture& picture);

private:
    void start(PreviewJob job);
    void finish(const void* drawing, PreviewPicture picture);

    std::thread worker_;
    std::shared_ptr<PreviewRun> running_; // the last render started
    const void* running_for_ = nullptr;
    std::optional<PreviewJob> waiting_;
    int started_ = 0;
};

#include "platform/registry_file_cache.h"
#include <QFile>
#include <QHash>
#include <chrono>
#include <mutex>

namespace registry {

namespace {

// Longer than the coarsest clock of a file system we may meet (FAT's two
// seconds): a file not modified for that long gets another modification
// time from its next write.
constexpr qint64 settle_ns = 3'000'000'000;

struct CachedStore {
    FileStamp stamp;
    QByteArray bytes;
    SharedDocument document;
    bool settled = false; // the stamp alone tells a change
};

std::mutex cache_lock;
QHash<QString, CachedStore>& cache()
{
    static QHash<QString, CachedStore> stores;
    return stores;
}

qint64 now_ns()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
}

} // namespace

SharedDocument cached_store(const QString& file, const FileStamp& stamp)
{
    CachedStore entry;
    {
        const std::lock_guard<std::mutex> hold(cache_lock);
        const auto at = cache().constFind(file);
        if (at == cache().cend() || !(at->stamp == stamp)) return {};
        if (at->settled) return at->document;
        entry = *at;
    }
    // The clock is read before the bytes: a write after this read gets a
    // later modification time, one before it shows in the bytes.
    const bool settled = now_ns() - stamp.modified_ns > settle_ns;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError || bytes != entry.bytes) return {};
    if (settled) {
        const std::lock_guard<std::mutex> hold(cache_lock);
        const auto at = cache().find(file);
        if (at != cache().end() && at->document == entry.document) at->settled = true;
    }
    return entry.document;
}

void remember_store(const QString& file, const FileStamp& stamp, const QByteArray& bytes, SharedDocument document)
{
    const std::lock_guard<std::mutex> hold(cache_lock);
    cache().insert(file, {stamp, bytes, std::move(document)});
}

} // namespace registry

#include "files/model_folder_io.h"
#include "platform/regular_file.h"
#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <assimp/IOStream.hpp>
#include <algorithm>
#include <cstring>

namespace {

// A file's bytes, read whole beforehand so that Assimp never waits on the file.
class BytesStream : public Assimp::IOStream {
public:
    explicit BytesStream(QByteArray bytes) : bytes(std::move(bytes)) {}

    size_t Read(void* buffer, size_t size, size_t count) override
    {
        if (size == 0) return 0;
        const size_t whole = std::min(count, (std::size_t(bytes.size()) - at) / size);
        std::memcpy(buffer, bytes.constData() + at, whole * size);
        at += whole * size;
        return whole;
    }
    size_t Write(const void*, size_t, size_t) override { return 0; }
    aiReturn Seek(size_t offset, aiOrigin origin) override
    {
        const size_t base = origin == aiOrigin_SET ? 0 : origin == aiOrigin_CUR ? at : std::size_t(bytes.size());
        if (offset > std::size_t(bytes.size()) - base) return aiReturn_FAILURE;
        at = base + offset;
        return aiReturn_SUCCESS;
    }
    size_t Tell() const override { return at; }
    size_t FileSize() const override { return std::size_t(bytes.size()); }
    void Flush() override {}

private:
    QByteArray bytes;
    size_t at = 0;
};

} // namespace

ModelFolderIo::ModelFolderIo(const QString& folder, qint64 most_bytes) : folder(folder), bytes_left(most_bytes) {}

QString ModelFolderIo::inside_folder(const char* name) const
{
    if (folder.isEmpty() || !name) return {};
    const QString given = QString::fromUtf8(name);
    if (given.isEmpty() || QDir::isAbsolutePath(given)) return {};
    const QString clean = QDir::cleanPath(given); // also turns Windows separators round
    if (clean == QLatin1String("..") || clean.startsWith(QLatin1String("../"))) return {};
    return folder + QLatin1Char('/') + clean;
}

bool ModelFolderIo::Exists(const char* name) const
{
    const QString path = inside_folder(name);
    return !path.isEmpty() && QFileInfo(path).isFile();
}

Assimp::IOStream* ModelFolderIo::Open(const char* name, const char* mode)
{
    if (!mode || std::strchr(mode, 'w') || std::strchr(mode, 'a') || std::strchr(mode, '+')) return nullptr;
    const QString path = inside_folder(name);
    if (path.isEmpty()) return nullptr;
    const platform::FileContents file = platform::read_regular_file(path, bytes_left);
    if (!file.error.isEmpty()) return nullptr;
    bytes_left -= file.bytes.size();
    return new BytesStream(file.bytes);
}

void ModelFolderIo::Close(Assimp::IOStream* stream)
{
    delete stream;
}

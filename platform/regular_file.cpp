#include "platform/regular_file.h"
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <cerrno>
#include <limits>
#include <system_error>
#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {

namespace {

QString error_text(int code)
{
    return QString::fromStdString(std::generic_category().message(code));
}

QString not_regular()
{
    return QCoreApplication::translate("RegularFile", "Not a regular file");
}

} // namespace

#ifdef Q_OS_WIN
// No FIFO is reached through a path here; a folder or a device is refused.
FileContents read_regular_file(const QString& path, qint64 most_bytes)
{
    if (!QFileInfo(path).isFile()) return {{}, QFileInfo::exists(path) ? not_regular() : error_text(ENOENT)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {{}, file.errorString()};
    if (file.size() > most_bytes) return {{}, error_text(EFBIG)};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return {{}, file.errorString()};
    if (bytes.size() > most_bytes) return {{}, error_text(EFBIG)};
    return {bytes, {}};
}
#else
FileContents read_regular_file(const QString& path, qint64 most_bytes)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if (::stat(name.constData(), &info) != 0) return {{}, error_text(errno)};
    if (!S_ISREG(info.st_mode)) return {{}, not_regular()};
    // Without O_NONBLOCK, opening a FIFO put in its place since waits for a writer.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {{}, error_text(errno)};
    FileContents read;
    if (::fstat(fd, &info) != 0) read.error = error_text(errno);
    else if (!S_ISREG(info.st_mode)) read.error = not_regular();
    else if (info.st_size > most_bytes) read.error = error_text(EFBIG);
    else {
        // The file may grow while it is read: the bound holds all the same.
        read.bytes.resize(qsizetype(info.st_size) + 1);
        qsizetype filled = 0;
        for (;;) {
            if (filled == read.bytes.size()) {
                if (filled > most_bytes) {
                    read.error = error_text(EFBIG);
                    break;
                }
                read.bytes.resize(qsizetype(std::min<qint64>(most_bytes + 1, qint64(filled) * 2)));
            }
            const ssize_t n = ::read(fd, read.bytes.data() + filled, size_t(read.bytes.size() - filled));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                read.error = error_text(errno);
                break;
            }
            if (n == 0) break;
            filled += n;
        }
        read.bytes.resize(filled);
    }
    ::close(fd);
    if (!read.error.isEmpty()) read.bytes.clear();
    return read;
}
#endif

qint64 largest_image_file(std::int64_t most_pixels)
{
    constexpr qint64 headers = 64 * 1024;
    return most_pixels * 4 + headers;
}

QImage decode_image(const QByteArray& bytes, const QByteArray& format, std::int64_t most_pixels, QString& error)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    // Asked only of what looks like an image: a decoder asked the size of
    // anything else complains aloud before read() says so in its words.
    const QSize size = reader.canRead() ? reader.size() : QSize();
    if (size.isValid() && std::int64_t(size.width()) * size.height() > most_pixels) {
        error = QCoreApplication::translate("RegularFile", "the image has %1 x %2 pixels, more than the %3 it may have")
                    .arg(size.width())
                    .arg(size.height())
                    .arg(most_pixels);
        return QImage();
    }
    reader.setAllocationLimit(int((most_pixels * 4) >> 20) + 1);
    const QImage image = reader.read();
    if (image.isNull()) error = reader.errorString();
    return image;
}

QImage read_image_file(const QString& path, std::int64_t most_pixels, QString& error)
{
    const FileContents file = read_regular_file(path, largest_image_file(most_pixels));
    if (!file.error.isEmpty()) {
        error = file.error;
        return QImage();
    }
    // The name's extension guides the choice of decoder as it does for a path.
    return decode_image(file.bytes, QFileInfo(path).suffix().toLatin1(), most_pixels, error);
}

} // namespace platform

#include "platform/file_identity.h"
#include <QFileInfo>
#ifdef Q_OS_WIN
#include <QDateTime>
#else
#include <QFile>
#include <sys/stat.h>
#endif

QString file_identity(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

FileStamp file_stamp(const QString& path)
{
    FileStamp stamp;
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    if (!info.exists()) return stamp;
    stamp.size = info.size();
    stamp.modified_ns = info.lastModified().toMSecsSinceEpoch() * 1'000'000;
#else
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) return stamp;
    stamp.size = status.st_size;
    stamp.modified_ns = qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
    stamp.device = status.st_dev;
    stamp.inode = status.st_ino;
#endif
    stamp.exists = true;
    return stamp;
}

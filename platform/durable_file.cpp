#include "platform/durable_file.h"
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSaveFile>
#include <cerrno>
#include <system_error>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace platform {

namespace {

QString error_text(int code)
{
    return QString::fromStdString(std::generic_category().message(code));
}

// The file QSaveFile renames onto: the end of a chain of symbolic links.
QString final_path(const QString& path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 128 && info.isSymLink(); ++depth) info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.absoluteFilePath();
}

// 0, or the error number.
int sync_file(int handle)
{
#ifdef Q_OS_WIN
    return _commit(handle) == 0 ? 0 : errno;
#else
    return ::fsync(handle) == 0 ? 0 : errno;
#endif
}

#ifndef Q_OS_WIN
int sync_folder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder we may write in but not read cannot be synced; that is no
    // failure of the write.
    if (fd < 0) return errno == EACCES ? 0 : errno;
    int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    // Some file systems do not sync folders at all.
    return error == EINVAL ? 0 : error;
}

// A second name for the file being replaced, so that a failure after the
// rename can put it back. Empty when the file system has no hard links;
// there a failed folder sync leaves the new file, still reported as failed.
QString keep_aside(const QString& file)
{
    const QFileInfo info(file);
    const QByteArray from = QFile::encodeName(file);
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString aside = info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".old-")
            + QString::number(QRandomGenerator::global()->generate(), 36);
        if (::link(from.constData(), QFile::encodeName(aside).constData()) == 0) return aside;
        if (errno != EEXIST) break;
    }
    return QString();
}

// A crash between keeping the old file aside and dropping its second name
// leaves that name behind, hidden; the next save of the file clears it. Only
// names keep_aside() gives: ".NAME.old-" and a number in base 36 (2^32 - 1
// is "1z141z3").
void drop_stale_asides(const QString& file)
{
    const QFileInfo info(file);
    const QRegularExpression aside(QRegularExpression::anchoredPattern(
        QStringLiteral("\\.") + QRegularExpression::escape(info.fileName()) + QStringLiteral("\\.old-[0-9a-z]{1,7}")));
    QDirIterator names(info.absolutePath(), QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    while (names.hasNext()) {
        const QString path = names.next();
        if (aside.match(names.fileName()).hasMatch()) ::unlink(QFile::encodeName(path).constData());
    }
}
#endif

} // namespace

DurableWrite write_file_durably(const QString& path, QByteArrayView bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {DurableResult::NotCreated, file.errorString()};
    const auto failed = [&file](const QString& error) {
        file.cancelWriting(); // the temporary file goes with `file`
        return DurableWrite{DurableResult::Failed, error};
    };
    const auto injected = [](WriteStep step) { return write_step_seam()(step); };

    if (const int e = injected(WriteStep::Write)) return failed(error_text(e));
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) return failed(file.errorString());
    if (const int e = injected(WriteStep::Flush)) return failed(error_text(e));
    if (!file.flush()) return failed(file.errorString());
    if (const int e = injected(WriteStep::Sync)) return failed(error_text(e));
    if (const int e = sync_file(file.handle())) return failed(error_text(e));

#ifdef Q_OS_WIN
    if (const int e = injected(WriteStep::Commit)) return failed(error_text(e));
    if (!file.commit()) return {DurableResult::Failed, file.errorString()};
    return {};
#else
    const QString target = final_path(path);
    const bool replacing = QFileInfo::exists(target);
    const QString aside = replacing ? keep_aside(target) : QString();
    const auto drop_aside = [&aside] {
        if (!aside.isEmpty()) ::unlink(QFile::encodeName(aside).constData());
    };
    if (const int e = injected(WriteStep::Commit)) {
        drop_aside();
        return failed(error_text(e));
    }
    if (!file.commit()) {
        drop_aside();
        return {DurableResult::Failed, file.errorString()};
    }

    const QString folder = QFileInfo(target).absolutePath();
    int e = injected(WriteStep::SyncFolder);
    if (!e) e = sync_folder(folder);
    if (!e) {
        drop_aside();
        drop_stale_asides(target);
        return {};
    }
    // The new name may not last: put back what was there before, so that
    // what the disk keeps is the old file either way.
    const QByteArray target_name = QFile::encodeName(target);
    if (!aside.isEmpty())
        ::rename(QFile::encodeName(aside).constData(), target_name.constData());
    else if (!replacing)
        ::unlink(target_name.constData());
    sync_folder(folder);
    return {DurableResult::Failed, error_text(e)};
#endif
}

WriteStepSeam& write_step_seam()
{
    static WriteStepSeam seam([](WriteStep) { return 0; });
    return seam;
}

} // namespace platform

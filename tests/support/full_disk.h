#pragma once
// A real full disk for tests of saving: a 64 KiB tmpfs mounted on a
// temporary folder, filled on demand. Mounting needs root (or the right to
// mount); where it is not given the test skips with the reason.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

class FullDisk {
public:
    FullDisk()
    {
#ifdef Q_OS_LINUX
        const QByteArray where = QFile::encodeName(dir_.path());
        if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") == 0)
            mounted_ = true;
        else
            why_not_ = QStringLiteral("a small file system cannot be mounted here: %1")
                           .arg(QString::fromLocal8Bit(std::strerror(errno)));
#else
        why_not_ = QStringLiteral("mounting a small file system is done on Linux only");
#endif
    }

    ~FullDisk()
    {
#ifdef Q_OS_LINUX
        if (mounted_) ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
#endif
    }

    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool mounted() const { return mounted_; }
    QString why_not() const { return why_not_; }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

    // Fills the rest of it with a file named "filler"; true once a write
    // meets "No space left on device".
    bool fill()
    {
#ifdef Q_OS_LINUX
        const int fd = ::open(QFile::encodeName(filePath(QStringLiteral("filler"))).constData(),
                              O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0) return false;
        const QByteArray block(4096, 'f');
        qsizetype size = block.size();
        bool full = false;
        // Whole blocks first, then single bytes into what remains.
        for (int i = 0; i < 65536 && !full; ++i) {
            const ssize_t n = ::write(fd, block.constData(), size_t(size));
            if (n < 0) {
                if (errno != ENOSPC) break;
                if (size == 1) full = true;
                size = 1;
            }
        }
        ::close(fd);
        return full;
#else
        return false;
#endif
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    QString why_not_;
};

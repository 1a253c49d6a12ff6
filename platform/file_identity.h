#pragma once
// Whether two paths name the same file, whichever symbolic links or ".."
// lead to it, and whether a file is still the one read before.
#include <QString>
#include <QtGlobal>

// The file a path names: its canonical path, or its absolute path when
// there is no such file yet.
QString file_identity(const QString& path);

// What changes when a file is written or replaced: its size, its
// modification time and, where the system has them, its device and inode
// numbers (a file renamed over another is another inode). Equal stamps of a
// file that was written within one tick of the file system's clock may
// still hide a change.
struct FileStamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modified_ns = 0; // since the epoch
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const FileStamp&) const = default;
};

// Of the file at the end of the symbolic links; the empty stamp when there
// is none.
FileStamp file_stamp(const QString& path);

#pragma once
// Writing a drawing file: the bytes of the whole file, and putting them in
// place so that a failure on the way leaves the previous file as it was.
#include "document/color.h"
#include "files/drawing_format.h"
#include "platform/seam.h"
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

class QIODevice;

// Header, then per object its record and silhouette, back-most first.
QByteArray drawing_file_bytes(const DrawingHeader& panel, const QList<TRazidoVavoz*>& shapes, TColor background);

enum class FileWriteResult { Written, CouldNotCreate, Failed };

struct FileWrite {
    FileWriteResult result = FileWriteResult::Written;
    QString error; // the system's text when writing failed
};

// Writes a temporary file beside `path` and renames it over `path` only when
// every byte is written; a replaced file keeps its permissions. A folder
// where no file can be made, or an existing file that may not be written,
// gives CouldNotCreate and leaves everything as it was.
FileWrite write_file_replacing(const QString& path, const QByteArray& bytes);

namespace platform {
// Writes bytes to the open temporary file; returns how many were written or
// -1. Tests replace it to break a save half-way.
using FileWriteSeam = Seam<qint64(QIODevice&, QByteArrayView)>;
FileWriteSeam& file_write_seam();
}

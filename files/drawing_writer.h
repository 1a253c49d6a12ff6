#pragma once
// Writing a drawing file: the bytes of the whole file, and putting them in
// place so that a failure on the way leaves the previous file as it was.
#include "core/color.h"
#include "files/drawing_format.h"
#include "platform/durable_file.h"
#include <QByteArray>
#include <QList>
#include <QString>

// Header, then per object its record and silhouette, back-most first.
QByteArray drawing_file_bytes(const DrawingHeader& panel, const QList<Shape*>& shapes, StoredColor background);

enum class FileWriteResult { Written, CouldNotCreate, Failed };

struct FileWrite {
    FileWriteResult result = FileWriteResult::Written;
    QString error; // the platform's text when writing failed
};

// Replaces `path` durably (platform::write_file_durably): Written only once
// every byte is on the disk; a replaced file keeps its permissions. A folder
// where no file can be made, or an existing file that may not be written,
// gives CouldNotCreate; a failure on the way gives Failed with the platform's
// text. Either leaves the previous file as it was.
FileWrite write_file_replacing(const QString& path, const QByteArray& bytes);

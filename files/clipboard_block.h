#pragma once
// The program's private clipboard data: one object as a drawing-file record
// (top and left 0) followed by its silhouette as a BMP image.
#include "core/color.h"
#include "files/drawing_reader.h"
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

class Shape;

// The format name that Qt maps to the Windows clipboard format registered
// as "Razidovavoz"; offered first. The second name serves elsewhere.
inline const QString clipboard_format_name = QStringLiteral("application/x-qt-windows-mime;value=\"Razidovavoz\"");
inline const QString clipboard_format_alias = QStringLiteral("application/x-razidovavoz");

bool is_private_clipboard_format(const QString& format);

QByteArray clipboard_block(const Shape& shape, StoredColor background);

// The record and silhouette of a block; nothing when the block is shorter
// than a record and its image or does not hold one. Bytes after the image
// are ignored (system blocks may be rounded up).
std::optional<DrawingEntry> read_clipboard_block(QByteArrayView block);

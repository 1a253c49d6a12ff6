#pragma once
// Reading a drawing file held in memory: the header, then record and
// silhouette of each object, never beyond the bytes given. Reading stops at
// the first entry that is damaged; the entries before it are kept.
#include "files/drawing_format.h"
#include <QByteArrayView>
#include <QImage>
#include <QList>
#include <QString>
#include <optional>

struct DrawingEntry {
    ShapeRecord record;
    QImage silhouette; // as decoded, any format
};

enum class ReadProblem {
    None,
    Truncated,       // the bytes end inside a header, record or image
    BadRecordSize,   // a record whose size field is not 356
    BadObjectSize,   // a width or height of 0, negative or absurd
    BadImage,        // an image that is compressed or does not decode
};

struct DrawingContents {
    std::optional<DrawingHeader> header; // none when the file is shorter than a header
    QList<DrawingEntry> entries;
    ReadProblem problem = ReadProblem::None;
};

// Reads one record and the image that follows it from the start of
// `bytes`; on success `consumed` is the entry's length.
ReadProblem read_entry(QByteArrayView bytes, DrawingEntry& entry, qint64& consumed);

DrawingContents read_drawing(QByteArrayView bytes);

// A short English description of a problem, for the command-line tool.
QString describe(ReadProblem problem);

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
    BadObjectPlace,  // a corner beyond max_object_offset from the panel's
    BadImage,        // an image that is compressed or does not decode
    TooLarge,        // the objects together ask for more than a drawing may hold
};

struct DrawingContents {
    std::optional<DrawingHeader> header; // none when the file is shorter than a header
    QList<DrawingEntry> entries;         // none when TooLarge
    ReadProblem problem = ReadProblem::None;
    // The pixels the records read ask for, all of them when TooLarge.
    std::int64_t object_pixels = 0;
};

// Reads one record and the image that follows it from the start of
// `bytes`; on success `consumed` is the entry's length.
ReadProblem read_entry(QByteArrayView bytes, DrawingEntry& entry, qint64& consumed);

// Reads the whole drawing. Objects that together would hold more than a
// drawing's budget are not decoded at all: the file is only walked to name
// the size they ask for.
DrawingContents read_drawing(QByteArrayView bytes);

// A short English description of what stopped the reading, for the
// command-line tool.
QString describe(const DrawingContents& contents);

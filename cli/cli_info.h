#pragma once
// dioramix-cli info: a drawing file described as JSON.
#include <QByteArray>
#include <QString>

struct InfoOutcome {
    QByteArray json; // the description, when the file could be read whole
    QString error;   // one line naming the file and the problem otherwise
};

InfoOutcome describe_drawing_file(const QString& path);

// The description of a drawing file's bytes, or an error naming `path`.
InfoOutcome describe_drawing_bytes(const QByteArray& bytes, const QString& path);

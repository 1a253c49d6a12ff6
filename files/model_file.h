#pragma once
// Reading a 3D model file (OBJ, PLY, STL, glTF and whatever else Assimp
// reads) into one mesh of triangles, the scene's node transforms applied.
#include "core/mesh.h"
#include <QByteArray>
#include <QString>
#include <QStringList>

struct ModelFile {
    Mesh mesh;
    QString error; // one line naming the fault; empty when read
};

// Reads the model at `path`. A file that cannot be read as a model, or
// holds no triangle, gives the reason in `error`. Files the model names
// (a glTF's buffers) are read only from its folder.
ModelFile read_model_file(const QString& path);

// Reads a model from `bytes` as a file with `suffix` (no dot) would be
// read; it may name no other file.
ModelFile read_model_bytes(const QByteArray& bytes, const QString& suffix);

// Whether `path`'s suffix is one the model reader knows (the command line
// tells models from drawings and images by it).
bool is_model_file_name(const QString& path);

// The suffixes the model reader knows, without dots, lower case.
QStringList model_file_suffixes();

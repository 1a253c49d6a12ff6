#pragma once
// Reading a 3D model file (OBJ, PLY, STL, glTF and whatever else Assimp
// reads) into one mesh of triangles, the scene's node transforms applied.
#include "core/mesh.h"
#include <QString>
#include <QStringList>

struct ModelFile {
    Mesh mesh;
    QString error; // one line naming the fault; empty when read
};

// Reads the model at `path`. A file that cannot be read as a model, or
// holds no triangle, gives the reason in `error`.
ModelFile read_model_file(const QString& path);

// Whether `path`'s suffix is one the model reader knows (the command line
// tells models from drawings and images by it).
bool is_model_file_name(const QString& path);

// The suffixes the model reader knows, without dots, lower case.
QStringList model_file_suffixes();

#include "files/model_file.h"
#include "platform/regular_file.h"
#include <QFile>
#include <QFileInfo>
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <cmath>

namespace {

// A model of tens of millions of triangles stays below it.
constexpr qint64 largest_model_file = qint64(2) << 30;

QString fault(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

QStringList model_file_suffixes()
{
    Assimp::Importer importer;
    std::string list;
    importer.GetExtensionList(list); // "*.3ds;*.obj;..."
    QStringList suffixes;
    for (const QString& pattern : QString::fromStdString(list).split(QLatin1Char(';'), Qt::SkipEmptyParts))
        suffixes << pattern.trimmed().remove(QStringLiteral("*.")).toLower();
    return suffixes;
}

bool is_model_file_name(const QString& path)
{
    static const QStringList suffixes = model_file_suffixes();
    return suffixes.contains(QFileInfo(path).suffix().toLower());
}

ModelFile read_model_file(const QString& path)
{
    ModelFile model;
    // Only a regular file is read: a FIFO would wait for a writer for ever.
    const platform::FileContents file = platform::read_regular_file(path, largest_model_file);
    if (!file.error.isEmpty()) {
        model.error = file.error;
        return model;
    }
    Assimp::Importer importer;
    importer.SetPropertyInteger(AI_CONFIG_PP_SBP_REMOVE, aiPrimitiveType_POINT | aiPrimitiveType_LINE);
    const unsigned steps = aiProcess_Triangulate | aiProcess_PreTransformVertices | aiProcess_SortByPType;
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toUtf8();
    // A text glTF names its buffers as files beside it.
    const aiScene* scene = suffix == "gltf"
                               ? importer.ReadFile(QFile::encodeName(path).constData(), steps)
                               : importer.ReadFileFromMemory(file.bytes.constData(), std::size_t(file.bytes.size()),
                                                             steps, suffix.constData());
    if (!scene) {
        model.error = QString::fromUtf8(importer.GetErrorString());
        if (model.error.isEmpty()) model.error = fault("not a model file this program reads");
        return model;
    }
    Mesh& mesh = model.mesh;
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        const aiMesh* part = scene->mMeshes[m];
        if (!(part->mPrimitiveTypes & aiPrimitiveType_TRIANGLE)) continue;
        const std::uint32_t first = std::uint32_t(mesh.points.size());
        for (unsigned v = 0; v < part->mNumVertices; ++v) {
            const aiVector3D& p = part->mVertices[v];
            if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) {
                model.error = fault("a point has a coordinate that is not a finite number");
                model.mesh = {};
                return model;
            }
            mesh.points.push_back({p.x, p.y, p.z});
        }
        for (unsigned f = 0; f < part->mNumFaces; ++f) {
            const aiFace& face = part->mFaces[f];
            if (face.mNumIndices != 3) continue;
            std::array<std::uint32_t, 3> triangle{};
            for (int i = 0; i < 3; ++i) {
                if (face.mIndices[i] >= part->mNumVertices) {
                    model.error = fault("a face names a point the model does not have");
                    model.mesh = {};
                    return model;
                }
                triangle[std::size_t(i)] = first + face.mIndices[i];
            }
            mesh.triangles.push_back(triangle);
        }
    }
    if (mesh.triangles.empty()) model.error = fault("the model has no faces");
    return model;
}

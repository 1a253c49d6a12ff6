#include "files/model_file.h"
#include "files/model_file_checks.h"
#include "files/model_folder_io.h"
#include "platform/regular_file.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <assimp/Importer.hpp>
#include <assimp/config.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <mutex>
#include <new>
#include <optional>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// A binary STL of the largest model read (50 bytes a triangle) fits with
// room to spare; the bytes are held while Assimp makes its own copy.
constexpr qint64 largest_model_file = qint64(1) << 30;

// Far beyond a model's size in any unit; a model within it, turned, keeps
// its extent within a float's range, so that it can be fitted to an image.
constexpr float largest_coordinate = 1e30f;

// Assimp writes a few remarks with printf and std::cout whatever its
// logger, and the command line's standard output may be a pipe that carries
// an image: while Assimp reads, the standard output goes nowhere. Readings
// at once on several threads share one redirection.
class StandardOutputSilenced {
public:
    StandardOutputSilenced()
    {
#ifdef Q_OS_UNIX
        const std::lock_guard<std::mutex> lock(mutex);
        if (readers++ > 0) return;
        std::cout.flush();
        std::fflush(stdout);
        const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (nowhere < 0) return;
        saved = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
        if (saved >= 0) ::dup2(nowhere, STDOUT_FILENO);
        ::close(nowhere);
#endif
    }
    ~StandardOutputSilenced()
    {
#ifdef Q_OS_UNIX
        const std::lock_guard<std::mutex> lock(mutex);
        if (--readers > 0 || saved < 0) return;
        std::cout.flush();
        std::fflush(stdout);
        ::dup2(saved, STDOUT_FILENO);
        ::close(saved);
        saved = -1;
#endif
    }
    StandardOutputSilenced(const StandardOutputSilenced&) = delete;
    StandardOutputSilenced& operator=(const StandardOutputSilenced&) = delete;

private:
    static inline std::mutex mutex;
    static inline int readers = 0;
    static inline int saved = -1;
};

// Assimp's reason in one short line; a file no reader takes is not a model.
QString assimp_fault(const char* text)
{
    QString reason = QString::fromUtf8(text).section(QLatin1Char('\n'), 0, 0).simplified();
    // Read from memory, the file goes by Assimp's own name for it.
    reason.replace(QRegularExpression(QStringLiteral("\\$\\$\\$___magic___\\$\\$\\$\\.?[a-z0-9]*")), QStringLiteral("the file"));
    if (reason.isEmpty() || reason.startsWith(QLatin1String("No suitable reader found"))
        || reason.startsWith(QLatin1String("Failed to determine")))
        return QCoreApplication::translate("ModelFile", "not a model file this program reads");
    // What Assimp's check of its own scene finds, in the program's words.
    if (reason.contains(QLatin1String("no faces"), Qt::CaseInsensitive)
        || reason.contains(QLatin1String("no meshes"), Qt::CaseInsensitive)
        || reason.contains(QLatin1String("mNumMeshes is 0")))
        return QCoreApplication::translate("ModelFile", "the model has no faces");
    if (reason.contains(QLatin1String("out of range")) && reason.contains(QLatin1String("ind"), Qt::CaseInsensitive))
        return QCoreApplication::translate("ModelFile", "a face names a point the model does not have");
    if (reason.size() > 100) reason = reason.left(97) + QStringLiteral("...");
    return QCoreApplication::translate("ModelFile", "the model cannot be read (%1)").arg(reason);
}

// The suffix as Assimp's hint: a short word, else none (Assimp then looks at the content).
QByteArray format_hint(const QString& suffix)
{
    static const QRegularExpression word(QStringLiteral("^[a-z0-9]{1,16}$"));
    const QString lower = suffix.toLower();
    return word.match(lower).hasMatch() ? lower.toLatin1() : QByteArray();
}

// The kinds of face `mesh` has, found from its faces; nothing when a face
// has no corners.
std::optional<unsigned> primitive_types(const aiMesh& mesh)
{
    unsigned types = 0;
    for (unsigned f = 0; f < mesh.mNumFaces && mesh.mFaces; ++f) {
        const unsigned corners = mesh.mFaces[f].mNumIndices;
        if (corners == 0 || !mesh.mFaces[f].mIndices) return std::nullopt;
        types |= corners == 1   ? aiPrimitiveType_POINT
                 : corners == 2 ? aiPrimitiveType_LINE
                 : corners == 3 ? aiPrimitiveType_TRIANGLE
                                : aiPrimitiveType_POLYGON;
    }
    return types;
}

// The triangles of the scene's meshes, or the fault that keeps them from being used.
ModelFile mesh_of(const aiScene& scene)
{
    ModelFile model;
    std::int64_t triangles = 0, points = 0;
    for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
        const aiMesh* part = scene.mMeshes[m];
        if (!part || !(part->mPrimitiveTypes & aiPrimitiveType_TRIANGLE)) continue;
        triangles += part->mNumFaces;
        points += part->mNumVertices;
    }
    if (triangles > most_model_triangles) return {{}, too_many_triangles(triangles)};
    if (points > most_model_points) return {{}, too_many_points(points)};
    Mesh& mesh = model.mesh;
    mesh.points.reserve(std::size_t(points));
    mesh.triangles.reserve(std::size_t(triangles));
    for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
        const aiMesh* part = scene.mMeshes[m];
        if (!part || !(part->mPrimitiveTypes & aiPrimitiveType_TRIANGLE) || !part->mVertices || !part->mFaces) continue;
        const std::uint32_t first = std::uint32_t(mesh.points.size());
        for (unsigned v = 0; v < part->mNumVertices; ++v) {
            const aiVector3D& p = part->mVertices[v];
            if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
                return {{}, QCoreApplication::translate("ModelFile", "a point has a coordinate that is not a finite number")};
            if (std::abs(p.x) > largest_coordinate || std::abs(p.y) > largest_coordinate
                || std::abs(p.z) > largest_coordinate)
                return {{}, QCoreApplication::translate("ModelFile", "a point has a coordinate too large for this program")};
            mesh.points.push_back({p.x, p.y, p.z});
        }
        for (unsigned f = 0; f < part->mNumFaces; ++f) {
            const aiFace& face = part->mFaces[f];
            if (face.mNumIndices != 3 || !face.mIndices) continue;
            std::array<std::uint32_t, 3> triangle{};
            for (int i = 0; i < 3; ++i) {
                if (face.mIndices[i] >= part->mNumVertices)
                    return {{}, QCoreApplication::translate("ModelFile", "a face names a point the model does not have")};
                triangle[std::size_t(i)] = first + face.mIndices[i];
            }
            mesh.triangles.push_back(triangle);
        }
    }
    if (mesh.triangles.empty()) return {{}, QCoreApplication::translate("ModelFile", "the model has no faces")};
    return model;
}

// Reads `bytes` as a model file with `suffix`; files it names are read from
// `folder` (none when empty).
ModelFile read_model(const QByteArray& bytes, const QString& suffix, const QString& folder)
{
    if (bytes.isEmpty()) return {{}, QCoreApplication::translate("ModelFile", "the file is empty")};
    const QByteArray hint = format_hint(suffix);
    if (const QString fault = model_counts_fault(bytes, hint); !fault.isEmpty()) return {{}, fault};
    try {
        // Assimp logs to its null logger unless a program creates another,
        // which this one never does.
        const StandardOutputSilenced quiet;
        Assimp::Importer importer;
        importer.SetIOHandler(new ModelFolderIo(folder, largest_model_file - bytes.size()));
        importer.SetPropertyInteger(AI_CONFIG_PP_SBP_REMOVE, aiPrimitiveType_POINT | aiPrimitiveType_LINE);
        // Assimp has no limit on what it reads; what it may leave out, it does:
        // only surfaces make a relief.
        importer.SetPropertyBool(AI_CONFIG_IMPORT_NO_SKELETON_MESHES, true);
        for (const char* part : {AI_CONFIG_IMPORT_FBX_READ_ANIMATIONS, AI_CONFIG_IMPORT_FBX_READ_TEXTURES,
                                 AI_CONFIG_IMPORT_FBX_READ_MATERIALS, AI_CONFIG_IMPORT_FBX_READ_CAMERAS,
                                 AI_CONFIG_IMPORT_FBX_READ_LIGHTS, AI_CONFIG_IMPORT_FBX_READ_WEIGHTS})
            importer.SetPropertyBool(part, false);
        const aiScene* scene = importer.ReadFileFromMemory(bytes.constData(), std::size_t(bytes.size()),
                                                           aiProcess_ValidateDataStructure, hint.constData());
        if (!scene) return {{}, assimp_fault(importer.GetErrorString())};
        // A reader may misstate the kinds of face a mesh has, or leave a face
        // without corners; Assimp's triangulation then aborts the program.
        for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
            aiMesh* part = scene->mMeshes[m];
            if (!part) continue;
            const std::optional<unsigned> types = primitive_types(*part);
            if (!types) return {{}, QCoreApplication::translate("ModelFile", "a face has no corners")};
            part->mPrimitiveTypes = *types;
        }
        scene = importer.ApplyPostProcessing(aiProcess_Triangulate | aiProcess_PreTransformVertices
                                             | aiProcess_SortByPType);
        if (!scene) return {{}, assimp_fault(importer.GetErrorString())};
        return mesh_of(*scene);
    } catch (const std::bad_alloc&) {
        return {{}, QCoreApplication::translate("ModelFile", "the model needs more memory than there is")};
    } catch (const std::exception& error) {
        return {{}, assimp_fault(error.what())};
    }
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

ModelFile read_model_bytes(const QByteArray& bytes, const QString& suffix)
{
    return read_model(bytes, suffix, {});
}

ModelFile read_model_file(const QString& path)
{
    // Only a regular file is read: a FIFO would wait for a writer for ever.
    const platform::FileContents file = platform::read_regular_file(path, largest_model_file);
    if (!file.error.isEmpty()) return {{}, file.error};
    const QFileInfo info(path);
    return read_model(file.bytes, info.suffix(), info.absolutePath());
}

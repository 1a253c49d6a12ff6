// The model reader on arbitrary bytes, read as the format the first byte
// picks: it must never read outside its input nor allocate beyond its
// limits, and give either one line of fault or a mesh whose every triangle
// names points it has, with finite coordinates, which then rasterises.
#include "core/mesh_raster.h"
#include "files/model_file.h"
#include "files/model_file_checks.h"
#include <QtGlobal>
#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    static const char* const suffixes[] = {"obj", "ply", "stl", "gltf", "glb", "off"};
    const QString suffix = QString::fromLatin1(suffixes[data[0] % 6]);
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    const ModelFile model = read_model_bytes(bytes, suffix);
    if (model.error.isEmpty() == model.mesh.triangles.empty()) std::abort();
    if (model.error.contains(QLatin1Char('\n'))) std::abort();
    if (!model.error.isEmpty()) return 0;
    const Mesh& mesh = model.mesh;
    if (std::int64_t(mesh.triangles.size()) > most_model_triangles) std::abort();
    for (const MeshPoint& p : mesh.points)
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) std::abort();
    for (const auto& t : mesh.triangles)
        for (const std::uint32_t i : t)
            if (i >= mesh.points.size()) std::abort();
    for (const ModelTurn turn : {ModelTurn{}, ModelTurn{30, -20, 10}}) {
        const ModelDepth depth = model_depth(mesh, turn, 64, 48, 2);
        if (depth.width != 64 || depth.height != 48 || relief_levels(depth).size() != 64 * 48) std::abort();
    }
    return 0;
}

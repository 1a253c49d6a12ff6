// The model reader on a sphere written in every format it is meant to read,
// and on files made to hurt it.
#include "core/mesh.h"
#include "core/mesh_raster.h"
#include "files/model_file.h"
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cmath>
#include <limits>
#include <sys/stat.h>

namespace {

// A UV sphere of radius 1, poles on Z: 12 stacks of 15 degrees, 24 slices.
constexpr int stacks = 12, slices = 24;
constexpr int sphere_triangles = 2 * slices * (stacks - 1);

Mesh uv_sphere()
{
    Mesh mesh;
    mesh.points.push_back({0, 0, 1});
    for (int i = 1; i < stacks; ++i)
        for (int j = 0; j < slices; ++j) {
            const double theta = M_PI * i / stacks, phi = 2 * M_PI * j / slices;
            mesh.points.push_back({float(std::sin(theta) * std::cos(phi)), float(std::sin(theta) * std::sin(phi)),
                                   float(std::cos(theta))});
        }
    const std::uint32_t south = std::uint32_t(mesh.points.size());
    mesh.points.push_back({0, 0, -1});
    const auto ring = [](int i, int j) { return std::uint32_t(1 + (i - 1) * slices + (j % slices)); };
    for (int j = 0; j < slices; ++j) {
        mesh.triangles.push_back({0, ring(1, j), ring(1, j + 1)});
        for (int i = 1; i + 1 < stacks; ++i) {
            mesh.triangles.push_back({ring(i, j), ring(i + 1, j), ring(i + 1, j + 1)});
            mesh.triangles.push_back({ring(i, j), ring(i + 1, j + 1), ring(i, j + 1)});
        }
        mesh.triangles.push_back({ring(stacks - 1, j), south, ring(stacks - 1, j + 1)});
    }
    return mesh;
}

void put_float(QByteArray& out, float value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void put_u32(QByteArray& out, std::uint32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

QByteArray obj_text(const Mesh& mesh)
{
    QByteArray out = "# sphere\n";
    for (const MeshPoint& p : mesh.points) out += QByteArray("v %1 %2 %3\n").replace("%1", QByteArray::number(p.x)).replace("%2", QByteArray::number(p.y)).replace("%3", QByteArray::number(p.z));
    for (const auto& t : mesh.triangles)
        out += "f " + QByteArray::number(t[0] + 1) + ' ' + QByteArray::number(t[1] + 1) + ' '
               + QByteArray::number(t[2] + 1) + '\n';
    return out;
}

QByteArray ply_header(const char* format, const Mesh& mesh)
{
    return QByteArray("ply\nformat ") + format + " 1.0\nelement vertex " + QByteArray::number(qsizetype(mesh.points.size()))
           + "\nproperty float x\nproperty float y\nproperty float z\nelement face "
           + QByteArray::number(qsizetype(mesh.triangles.size())) + "\nproperty list uchar int vertex_indices\nend_header\n";
}

QByteArray ply_text(const Mesh& mesh)
{
    QByteArray out = ply_header("ascii", mesh);
    for (const MeshPoint& p : mesh.points)
        out += QByteArray::number(p.x) + ' ' + QByteArray::number(p.y) + ' ' + QByteArray::number(p.z) + '\n';
    for (const auto& t : mesh.triangles)
        out += "3 " + QByteArray::number(t[0]) + ' ' + QByteArray::number(t[1]) + ' ' + QByteArray::number(t[2]) + '\n';
    return out;
}

QByteArray ply_binary(const Mesh& mesh)
{
    QByteArray out = ply_header("binary_little_endian", mesh);
    for (const MeshPoint& p : mesh.points) {
        put_float(out, p.x);
        put_float(out, p.y);
        put_float(out, p.z);
    }
    for (const auto& t : mesh.triangles) {
        out += char(3);
        for (const std::uint32_t i : t) put_u32(out, i);
    }
    return out;
}

QByteArray stl_text(const Mesh& mesh)
{
    QByteArray out = "solid sphere\n";
    for (const auto& t : mesh.triangles) {
        out += "facet normal 0 0 0\nouter loop\n";
        for (const std::uint32_t i : t) {
            const MeshPoint& p = mesh.points[i];
            out += "vertex " + QByteArray::number(p.x) + ' ' + QByteArray::number(p.y) + ' ' + QByteArray::number(p.z) + '\n';
        }
        out += "endloop\nendfacet\n";
    }
    return out + "endsolid sphere\n";
}

QByteArray stl_binary(const Mesh& mesh)
{
    QByteArray out(80, ' ');
    out.replace(0, 6, "sphere");
    put_u32(out, std::uint32_t(mesh.triangles.size()));
    for (const auto& t : mesh.triangles) {
        for (int i = 0; i < 3; ++i) put_float(out, 0);
        for (const std::uint32_t i : t) {
            put_float(out, mesh.points[i].x);
            put_float(out, mesh.points[i].y);
            put_float(out, mesh.points[i].z);
        }
        out += QByteArray(2, '\0');
    }
    return out;
}

// Points then indices, as a glTF buffer holds them; the points multiplied by `grow`.
QByteArray gltf_buffer(const Mesh& mesh, float grow)
{
    QByteArray out;
    for (const MeshPoint& p : mesh.points) {
        put_float(out, p.x * grow);
        put_float(out, p.y * grow);
        put_float(out, p.z * grow);
    }
    for (const auto& t : mesh.triangles)
        for (const std::uint32_t i : t) put_u32(out, i);
    return out;
}

// The glTF text for a buffer at `uri` (none: a GLB's own), its node scaled by `scale`.
QByteArray gltf_json(const Mesh& mesh, const QByteArray& uri, float scale)
{
    const qsizetype points = qsizetype(mesh.points.size()) * 12, indices = qsizetype(mesh.triangles.size()) * 12;
    const QByteArray uri_field = uri.isEmpty() ? QByteArray() : "\"uri\":\"" + uri + "\",";
    return "{\"asset\":{\"version\":\"2.0\"},\"scene\":0,\"scenes\":[{\"nodes\":[0]}],"
           "\"nodes\":[{\"mesh\":0,\"scale\":["
           + QByteArray::number(scale) + ',' + QByteArray::number(scale) + ',' + QByteArray::number(scale)
           + "]}],\"meshes\":[{\"primitives\":[{\"attributes\":{\"POSITION\":0},\"indices\":1}]}],"
             "\"buffers\":[{"
           + uri_field + "\"byteLength\":" + QByteArray::number(points + indices)
           + "}],\"bufferViews\":[{\"buffer\":0,\"byteOffset\":0,\"byteLength\":" + QByteArray::number(points)
           + "},{\"buffer\":0,\"byteOffset\":" + QByteArray::number(points) + ",\"byteLength\":"
           + QByteArray::number(indices)
           + "}],\"accessors\":[{\"bufferView\":0,\"componentType\":5126,\"count\":"
           + QByteArray::number(qsizetype(mesh.points.size()))
           + ",\"type\":\"VEC3\",\"min\":[-1,-1,-1],\"max\":[1,1,1]},{\"bufferView\":1,\"componentType\":5125,"
             "\"count\":"
           + QByteArray::number(qsizetype(mesh.triangles.size()) * 3) + ",\"type\":\"SCALAR\"}]}";
}

QByteArray glb(const Mesh& mesh)
{
    // The points twice as far out, the node halving them.
    QByteArray json = gltf_json(mesh, {}, 0.5f);
    while (json.size() % 4) json += ' ';
    const QByteArray buffer = gltf_buffer(mesh, 2);
    QByteArray out = "glTF";
    put_u32(out, 2);
    put_u32(out, std::uint32_t(12 + 8 + json.size() + 8 + buffer.size()));
    put_u32(out, std::uint32_t(json.size()));
    out += "JSON" + json;
    put_u32(out, std::uint32_t(buffer.size()));
    out += QByteArray("BIN\0", 4) + buffer;
    return out;
}

bool write_file(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

ModelFile read_written(const QTemporaryDir& folder, const QString& name, const QByteArray& bytes)
{
    const QString path = folder.filePath(name);
    if (!write_file(path, bytes)) return {{}, QStringLiteral("not written")};
    return read_model_file(path);
}

QByteArray stl_header_claiming(std::uint32_t triangles, qsizetype body)
{
    QByteArray out(80, 'x');
    put_u32(out, triangles);
    return out + QByteArray(body, '\0');
}

} // namespace

class TestModelFile : public QObject {
    Q_OBJECT
private slots:
    void a_sphere_reads_alike_from_every_format()
    {
        const Mesh sphere = uv_sphere();
        QTemporaryDir folder;
        QVERIFY(write_file(folder.filePath(QStringLiteral("sphere.bin")), gltf_buffer(sphere, 1)));
        const QByteArray embedded = "data:application/octet-stream;base64," + gltf_buffer(sphere, 1).toBase64();
        const std::pair<QString, QByteArray> files[] = {
            {QStringLiteral("sphere.obj"), obj_text(sphere)},
            {QStringLiteral("text.ply"), ply_text(sphere)},
            {QStringLiteral("binary.ply"), ply_binary(sphere)},
            {QStringLiteral("text.stl"), stl_text(sphere)},
            {QStringLiteral("binary.stl"), stl_binary(sphere)},
            {QStringLiteral("sphere.gltf"), gltf_json(sphere, "sphere.bin", 1)},
            {QStringLiteral("embedded.gltf"), gltf_json(sphere, embedded, 1)},
            {QStringLiteral("sphere.glb"), glb(sphere)},
        };
        for (const auto& [name, bytes] : files) {
            const ModelFile model = read_written(folder, name, bytes);
            QVERIFY2(model.error.isEmpty(), qPrintable(name + QStringLiteral(": ") + model.error));
            QCOMPARE(int(model.mesh.triangles.size()), sphere_triangles);
            const MeshBox box = used_box(model.mesh.points, model.mesh);
            for (const float side : {box.min_x, box.min_y, box.min_z}) QVERIFY2(std::abs(side + 1) < 1e-4, qPrintable(name));
            for (const float side : {box.max_x, box.max_y, box.max_z}) QVERIFY2(std::abs(side - 1) < 1e-4, qPrintable(name));

            // Seen from +Z the sphere is a disc of radius R = 100.5 pixels whose
            // relief at distance r from the centre is sqrt(1 - (r/R)^2). The
            // facets of 15 degrees lie within 1 - cos^2(7.5 deg) = 0.017 of the
            // sphere, an error the slope multiplies towards the rim (2.1 times
            // at 0.9 R), and the farthest covered pixel is a little above the
            // rim: 0.06 holds inside 0.9 R, the rim's polygon is left out.
            const int size = 201;
            const std::vector<float> levels = relief_levels(model_depth(model.mesh, {}, size, size, 0));
            const double radius = size / 2.0;
            double worst = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const double r = std::hypot(x + 0.5 - radius, y + 0.5 - radius) / radius;
                    const float level = levels[std::size_t(y * size + x)];
                    if (r > 1.001) QVERIFY2(std::isnan(level), qPrintable(name));
                    else if (r < 0.96) QVERIFY2(!std::isnan(level), qPrintable(name));
                    if (r < 0.9) worst = std::max(worst, std::abs(level - std::sqrt(1 - r * r)));
                }
            QVERIFY2(worst < 0.06, qPrintable(name + QStringLiteral(": ") + QString::number(worst)));
        }
    }
    void hostile_files_are_refused_with_the_fault()
    {
        const auto refused = [](const QByteArray& bytes, const char* suffix) {
            return read_model_bytes(bytes, QString::fromLatin1(suffix)).error;
        };
        QCOMPARE(refused({}, "stl"), QStringLiteral("the file is empty"));
        QCOMPARE(refused("v 0 0 0\nv 1 0 0\nv 0 1 0\n", "obj"), QStringLiteral("the model has no faces"));
        QCOMPARE(refused("v 0 0 0\nv 1 0 0\nv 0 1 0\nl 1 2\nl 2 3\n", "obj"), QStringLiteral("the model has no faces"));
        QCOMPARE(refused("ply\nformat ascii 1.0\nelement vertex 2\nproperty float x\nproperty float y\nproperty float z\n"
                         "end_header\n0 0 0\n1 1 1\n", "ply"),
                 QStringLiteral("the model has no faces"));

        Mesh triangle;
        triangle.points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
        triangle.triangles = {{0, 1, 2}};
        QByteArray not_finite = stl_binary(triangle);
        qToLittleEndian(std::numeric_limits<float>::quiet_NaN(), not_finite.data() + 84 + 12);
        QCOMPARE(refused(not_finite, "stl"), QStringLiteral("a point has a coordinate that is not a finite number"));
        QCOMPARE(refused("v 0 0 0\nv 1 0 0\nv 0 inf 0\nf 1 2 3\n", "obj"),
                 QStringLiteral("a point has a coordinate that is not a finite number"));

        QCOMPARE(refused("v -3e38 0 0\nv 3e38 0 0\nv 0 1 0\nf 1 2 3\n", "obj"),
                 QStringLiteral("a point has a coordinate too large for this program"));
        QCOMPARE(refused("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 9\n", "obj"),
                 QStringLiteral("a face names a point the model does not have"));
        QCOMPARE(refused(ply_text(triangle).replace("3 0 1 2\n", "3 0 1 7\n"), "ply"),
                 QStringLiteral("a face names a point the model does not have"));

        // Headers that claim billions: refused before anything is allocated.
        QCOMPARE(refused(stl_header_claiming(4000000000u, 50), "stl"),
                 QStringLiteral("the STL header claims 4000000000 triangles, more than the file holds"));
        // 85899346 triangles of 50 bytes wrap round 32 bits to a 4-byte body.
        QCOMPARE(refused(stl_header_claiming(85899346u, 4), "stl"),
                 QStringLiteral("the STL header claims 85899346 triangles, more than the file holds"));
        QByteArray stl_named = stl_header_claiming(85899346u, 4);
        stl_named.replace(0, 5, "solid");
        QCOMPARE(refused(stl_named, "dat"),
                 QStringLiteral("the STL header claims 85899346 triangles, more than the file holds"));
        const QByteArray billions = ply_binary(triangle).replace("vertex 3", "vertex 4000000000");
        QCOMPARE(refused(billions, "ply"),
                 QStringLiteral("the PLY header claims 4000000000 vertex elements, more than the file holds"));
        QByteArray long_list = ply_binary(triangle).replace("list uchar int", "list uint int");
        long_list.chop(12 + 1);
        put_u32(long_list, 4000000000u);
        long_list += QByteArray(12, '\0');
        QCOMPARE(refused(long_list, "ply"), QStringLiteral("a PLY list claims 4000000000 values, more than the file holds"));
        QCOMPARE(refused(billions, "dat"),
                 QStringLiteral("the PLY header claims 4000000000 vertex elements, more than the file holds"));
        // Assimp would search for ever, or abort.
        QCOMPARE(refused(ply_text(triangle).replace("end_header", "end"), "ply"), QStringLiteral("the PLY header has no end"));
        QCOMPARE(refused(ply_binary(triangle).replace(QByteArray("\x03\0\0\0\0\x01", 6), QByteArray("\0\0\0\0\0\x01", 6)), "ply"),
                 QStringLiteral("a face has no corners"));
        QCOMPARE(refused(ply_text(triangle).replace("3 0 1 2\n", "3 0 x 2\n"), "ply"),
                 QStringLiteral("a PLY value is not a number"));
        QCOMPARE(refused(ply_text(triangle).replace("3 0 1 2\n", "4000000000 0 1 2\n"), "ply"),
                 QStringLiteral("a PLY list claims 4000000000 values, more than the file holds"));
        QCOMPARE(refused("OFF\n4000000000 1 0\n0 0 0\n", "off"),
                 QStringLiteral("the OFF header claims 4000000000 points and 1 faces, more than the file holds"));

        // A model over the limit, in a file that holds it.
        const QByteArray faces = "ply\nformat binary_little_endian 1.0\nelement vertex 0\nproperty float x\n"
                                 "element face 10000001\nproperty list uchar int vertex_indices\nend_header\n";
        QCOMPARE(refused(faces + QByteArray(10000001, '\0'), "ply"),
                 QStringLiteral("the model has 10000001 triangles, more than the 10000000 this program reads"));

        const QByteArray prose = "Dear reader,\nthis is a letter, not a model.\n";
        QCOMPARE(refused(prose, "txt"), QStringLiteral("not a model file this program reads"));
        QCOMPARE(refused(prose, "obj"), QStringLiteral("the model has no faces"));
        QCOMPARE(refused(prose, "stl"), QStringLiteral("not a model file this program reads"));
        QCOMPARE(refused(QByteArray(300, '\x07'), "xyz"), QStringLiteral("not a model file this program reads"));
    }

    void a_gltf_reads_only_regular_files_beside_it()
    {
        const Mesh sphere = uv_sphere();
        QTemporaryDir folder;
        QTemporaryDir elsewhere;
        QVERIFY(write_file(elsewhere.filePath(QStringLiteral("sphere.bin")), gltf_buffer(sphere, 1)));
        QVERIFY(::mkfifo(QFile::encodeName(folder.filePath(QStringLiteral("fifo.bin"))).constData(), 0600) == 0);
        const QByteArray outside = QFile::encodeName(elsewhere.filePath(QStringLiteral("sphere.bin")));
        const QByteArray up = "../" + QFile::encodeName(QFileInfo(elsewhere.path()).fileName()) + "/sphere.bin";
        for (const QByteArray& uri : {QByteArray("fifo.bin"), QByteArray("/dev/zero"), outside, up, QByteArray("missing.bin")}) {
            const ModelFile model = read_written(folder, QStringLiteral("hostile.gltf"), gltf_json(sphere, uri, 1));
            QVERIFY2(!model.error.isEmpty() && !model.error.contains(QLatin1Char('\n')), uri.constData());
            QVERIFY(model.mesh.triangles.empty());
        }
        QVERIFY(QFile::copy(elsewhere.filePath(QStringLiteral("sphere.bin")), folder.filePath(QStringLiteral("sphere.bin"))));
        QCOMPARE(read_written(folder, QStringLiteral("sphere.gltf"), gltf_json(sphere, "sphere.bin", 1)).error, QString());
    }
};

QTEST_GUILESS_MAIN(TestModelFile)
#include "test_model_file.moc"

#include "core/mesh_raster.h"
#include <QTest>

namespace {

// A square from -half to half across, at depth z(x, y) = slope * x + level,
// in a grid of cells x cells, two triangles each.
void add_square(Mesh& mesh, float half, float slope, float level, int cells = 1)
{
    const auto first = std::uint32_t(mesh.points.size());
    for (int j = 0; j <= cells; ++j)
        for (int i = 0; i <= cells; ++i) {
            const float x = -half + 2 * half * float(i) / float(cells), y = -half + 2 * half * float(j) / float(cells);
            mesh.points.push_back({x, y, slope * x + level});
        }
    auto at = [&](int i, int j) { return first + std::uint32_t(j * (cells + 1) + i); };
    for (int j = 0; j < cells; ++j)
        for (int i = 0; i < cells; ++i) {
            mesh.triangles.push_back({at(i, j), at(i + 1, j), at(i + 1, j + 1)});
            mesh.triangles.push_back({at(i, j), at(i + 1, j + 1), at(i, j + 1)});
        }
}

float level_at(const std::vector<float>& levels, const ModelDepth& depth, int x, int y)
{
    return levels[std::size_t(y) * std::size_t(depth.width) + std::size_t(x)];
}

} // namespace

class TestMeshRaster : public QObject {
    Q_OBJECT
private slots:
    void a_tilted_plane_rises_toward_the_turned_axis()
    {
        Mesh plane;
        add_square(plane, 1, 1, 0, 40); // many triangles: no pixel between them may stay uncovered
        const ModelDepth flat = model_depth(plane, {}, 101, 101, 0);
        const std::vector<float> levels = relief_levels(flat);
        for (int y = 0; y < 101; ++y)
            for (int x = 0; x < 101; ++x) QVERIFY2(flat.covered(x, y), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        QVERIFY(level_at(levels, flat, 0, 50) < 0.02f);
        QVERIFY(level_at(levels, flat, 100, 50) > 0.98f);
        QCOMPARE(level_at(levels, flat, 70, 0), level_at(levels, flat, 70, 100));
        QVERIFY(std::abs(level_at(levels, flat, 50, 50) - 0.5f) < 0.02f);

        // Rolled a quarter turn counter-clockwise, the plane rises toward +Y: the top row.
        const ModelDepth rolled = model_depth(plane, {0, 0, 90}, 101, 101, 0);
        const std::vector<float> rolled_levels = relief_levels(rolled);
        QVERIFY(level_at(rolled_levels, rolled, 50, 0) > 0.98f);
        QVERIFY(level_at(rolled_levels, rolled, 50, 100) < 0.02f);
        // Pitched a quarter turn, the plane is seen edge-on and covers nothing.
        QVERIFY(!model_depth(plane, {0, 90, 0}, 101, 101, 0).any_covered);
    }

    void the_nearest_surface_wins_whatever_the_order_of_triangles()
    {
        Mesh stacked;
        add_square(stacked, 0.5f, 0, 1); // the upper square first
        add_square(stacked, 1, 0, 0);
        const ModelDepth depth = model_depth(stacked, {}, 100, 100, 10);
        const std::vector<float> levels = relief_levels(depth);
        QCOMPARE(level_at(levels, depth, 50, 50), 1.0f);
        QCOMPARE(level_at(levels, depth, 15, 50), 0.0f);
        QVERIFY(std::isnan(level_at(levels, depth, 5, 50))); // in the margin
        QVERIFY(!depth.covered(99, 99));
        QCOMPARE(proportional_height(used_box(stacked.points, stacked), 300), 300);

        // Turned away from the viewer, the lower square still shows round the
        // upper one, whichever way round the triangles run.
        for (std::size_t i = 2; i < stacked.triangles.size(); ++i) std::swap(stacked.triangles[i][1], stacked.triangles[i][2]);
        QCOMPARE(model_depth(stacked, {}, 100, 100, 10).z, depth.z);
        for (auto& triangle : stacked.triangles) std::swap(triangle[1], triangle[2]);
        QCOMPARE(model_depth(stacked, {}, 100, 100, 10).z, depth.z);

        // Corners far beyond any pixel index still cover the pixels they hold.
        const Mesh huge{{{-3e38f, -3e38f, 0}, {3e38f, -3e38f, 0}, {0, 3e38f, 1}}, {{0, 1, 2}}};
        QVERIFY(rasterize_model(huge.points, huge, 10, 10, {1, 0, 0}).covered(5, 5));
    }
};

QTEST_GUILESS_MAIN(TestMeshRaster)
#include "test_mesh_raster.moc"

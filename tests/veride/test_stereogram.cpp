// The viewing geometry, hidden-surface removal, linking and colouring of
// the stereogram, and the checks that stop a render.
#include "render/stereo_check.h"
#include "height_grid.h"
#include "stereogram_reference.h"
#include "veride/render_scene.h"
#include "veride/stereogram.h"
#include <QTest>
#include <random>

namespace {

// 2 pixels per millimetre; eyes 120 pixels apart, zero level at 60.
RenderSettings small_settings(int width_px, int height_px)
{
    RenderSettings s;
    s.eye_distance = 60;
    s.level_distance = 400;
    s.max_height = 100;
    s.min_height = -100;
    s.width_px = width_px;
    s.height_px = height_px;
    s.width_mm = width_px / 2;
    s.height_mm = height_px / 2;
    return s;
}

DepthMap flat_map(int width, int height, std::int32_t z)
{
    return HeightGrid(width, height, z).map();
}

// A ramp from -100 to 100 across the map with a box of height 60 on it.
DepthMap ramp_and_box(int width, int height)
{
    HeightGrid grid(width, height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            grid.row(y)[x] = (x >= 120 && x < 180 && y >= 10 && y < 30) ? 60 : -100 + 200 * x / (width - 1);
    return grid.map();
}

// Rows built from pieces: level runs long and short, ramps, noise and
// narrow spikes, each row repeated now and then, as drawings and depth-map
// images give them.
DepthMap patchwork_map(int width, int height, std::int32_t low, std::int32_t high, std::mt19937& random)
{
    HeightGrid grid(width, height, 0);
    auto pick = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(random); };
    for (int y = 0; y < height; ++y) {
        std::int32_t* row = grid.row(y);
        const int repeat = pick(0, 5);
        if (y >= 2 && repeat < 2) {
            std::copy(grid.row(y - 1 - repeat), grid.row(y - 1 - repeat) + width, row);
            continue;
        }
        for (int x = 0; x < width;) {
            const int length = std::min(width - x, pick(0, 3) == 0 ? pick(1, 4) : pick(5, 200));
            const int kind = pick(0, 5);
            const std::int32_t z = pick(low, high), z2 = pick(low, high);
            for (int i = 0; i < length; ++i)
                row[x + i] = kind == 0 ? z + (z2 - z) * i / length : kind == 1 ? pick(low, high) : z;
            x += length;
        }
    }
    return grid.map();
}

} // namespace

class TestStereogram : public QObject {
    Q_OBJECT
private slots:
    void separations_follow_the_viewing_geometry()
    {
        RenderSettings s = small_settings(1000, 10);
        s.eye_distance = 40;
        s.level_distance = 1000;
        s.width_mm = 100; // 10 pixels per mm
        const StereoGeometry g(s);
        QCOMPARE(g.separation_mm(0), 20.0); // exactly half the eye distance at the zero level
        QCOMPARE(g.separation_px(0), 200);
        QCOMPARE(g.separation_px(80), 183);  // 40 * 420 / 920 mm
        QCOMPARE(g.separation_px(-95), 217); // 40 * 595 / 1095 mm
        QCOMPARE(g.sight_rise_per_px(0), 5.0);

        // 497 mm still gives 2.39 pixels, 498 mm only 1.59.
        QCOMPARE(g.largest_height(), 497);
        s.max_height = 497;
        QVERIFY(!geometry_problem(s));
        s.max_height = 498;
        const auto problem = geometry_problem(s);
        QVERIFY(problem && problem->contains(QLatin1String("497 mm")));

        const SeparationTable table(g, -95, 80, true), formula(g, -95, 80, false);
        QVERIFY(table.uses_table() && !formula.uses_table());
        for (int z = -95; z <= 80; ++z) QCOMPARE(table(z), formula(z));
        QCOMPARE(height_array_bytes(-95, 80), 350); // the configuration dialog's 0.35 Kbytes
    }

    void points_behind_a_raised_box_are_hidden_and_not_linked()
    {
        // Floor at 0, a box of height 61 over x = 50..69. The line of sight
        // from the floor rises 400 * 2 / 120 = 6.67 mm per pixel, so the box
        // hides the floor up to 9 pixels on either side.
        const RenderSettings s = small_settings(120, 1);
        const StereoGeometry g(s);
        HeightGrid grid(120, 1, 0);
        for (int x = 50; x < 70; ++x) grid.row(0)[x] = 61;
        const DepthMap map = grid.map();
        const SeparationTable separations(g, s.min_height, s.max_height, true);
        const StereogramRows rows(map, g, separations, 1, dot_colors(0, 10000));
        for (int x = 0; x < 120; ++x) {
            const bool hidden = (x >= 41 && x <= 49) || (x >= 70 && x <= 78);
            QVERIFY2(rows.visible(0, x) == !hidden, qPrintable(QString::number(x)));
        }

        StereogramRows::Scratch scratch;
        rows.link(0, scratch);
        int linked = 0;
        for (int x = 0; x < 120; ++x) {
            const int sep = separations(map.at(x, 0));
            const int left = x - sep / 2, right = left + sep;
            if (left < 0 || right >= 120) continue;
            if (rows.visible(0, x)) {
                ++linked;
            } else {
                QVERIFY2(left + scratch.link[left] != right, qPrintable(QString::number(x)));
            }
        }
        QVERIFY(linked > 20);
    }

    void linked_pixels_share_their_colour_at_the_separation_apart()
    {
        const RenderSettings s = small_settings(300, 40);
        const StereoGeometry g(s);
        const DepthMap map = ramp_and_box(300, 40);
        const SeparationTable separations(g, s.min_height, s.max_height, true);
        const QImage image = render_stereogram(map, g, separations, 7, dot_colors(0, 10000));
        const StereoCheck check = check_stereogram(image, map, g);
        QCOMPARE(check.mismatches, 0L);
        QVERIFY(check.pairs > 300 * 40 / 2);

        // The same seed gives the same image on any number of threads;
        // another seed another image; a flat map does not decode it.
        QCOMPARE(render_stereogram(map, g, separations, 7, dot_colors(0, 10000), {1, nullptr, {}}), image);
        QCOMPARE(render_stereogram(map, g, separations, 7, dot_colors(0, 10000), {3, nullptr, {}}), image);
        QVERIFY(render_stereogram(map, g, separations, 8, dot_colors(0, 10000)) != image);
        QVERIFY(check_stereogram(image, flat_map(300, 40, 100), g).mismatches > 100);

        // Only the two dot colours appear.
        const DotColors red = dot_colors(0x0000FF, 5000);
        const QImage coloured = render_stereogram(map, g, separations, 7, red);
        for (int x = 0; x < 300; ++x) {
            const QRgb c = coloured.pixel(x, 5);
            QVERIFY(c == qRgb(255, 0, 0) || c == qRgb(255, 128, 128));
        }
    }

    void fast_paths_give_the_pixels_of_the_plain_definition()
    {
        std::mt19937 random(20261208);
        for (int round = 0; round < 40; ++round) {
            RenderSettings s = small_settings(60 + round * 23, 24);
            s.width_mm = s.width_px / (1 + round % 3); // 1 to 3 pixels per mm
            if (round % 4 == 3) s.max_height = 5, s.min_height = -5;
            const StereoGeometry g(s);
            const SeparationTable separations(g, s.min_height, s.max_height, round % 2 == 0);
            const DepthMap map = patchwork_map(s.width_px, s.height_px, s.min_height, s.max_height, random);
            const StereogramRows rows(map, g, separations, round, dot_colors(0, 10000));
            StereogramRows::Scratch scratch;
            for (int y = 0; y < map.height; ++y) {
                rows.link(y, scratch);
                const std::vector<int> same = reference::links(map, y, g, separations);
                std::vector<StereogramRows::Offset> offsets;
                for (int x = 0; x < map.width; ++x) offsets.push_back(StereogramRows::Offset(same[x] - x));
                QVERIFY2(scratch.link == offsets,
                         qPrintable(QStringLiteral("round %1 row %2").arg(round).arg(y)));
            }
            const QImage image = render_stereogram(map, g, separations, round, dot_colors(0, 10000), {2, nullptr, {}});
            QVERIFY2(image == reference::stereogram(map, g, separations, round, dot_colors(0, 10000)),
                     qPrintable(QStringLiteral("round %1").arg(round)));
        }
    }

    void dot_colours_follow_base_and_range()
    {
        const DotColors defaults = dot_colors(0, 10000);
        QCOMPARE(defaults.first, (std::array<std::uint8_t, 3>{0, 0, 0}));
        QCOMPARE(defaults.second, (std::array<std::uint8_t, 3>{255, 255, 255}));
        QCOMPARE(dot_colors(0xFFFFFF, 10000).second, (std::array<std::uint8_t, 3>{0, 0, 0}));
        QCOMPARE(dot_colors(0x102030, 2500).first, (std::array<std::uint8_t, 3>{0x30, 0x20, 0x10}));
        QCOMPARE(dot_colors(0, -5).second, dot_colors(0, -5).first);
        QCOMPARE(dot_colors(0, 99999).second, defaults.second);
    }

    void renders_stop_with_a_message_or_warn_and_go_on()
    {
        RenderSettings s = small_settings(300, 40);
        s.max_height = 201; // the geometry allows 196 mm at most
        RenderResult stopped = render_scene({}, s, 1);
        QVERIFY(stopped.error.contains(QLatin1String("196 mm")));
        QVERIFY(stopped.stereogram.isNull());

        s = small_settings(0, 40);
        QVERIFY(!render_scene({}, s, 1).error.isEmpty());
        s = small_settings(300, 40);
        s.min_height = 200;
        QVERIFY(!render_scene({}, s, 1).error.isEmpty());
        s = small_settings(100000, 100000);
        QVERIFY(render_scene({}, s, 1).error.contains(QLatin1String("too large")));
        s = small_settings(40000, 2); // rows are at most 32767 pixels
        QVERIFY(render_scene({}, s, 1).error.contains(QLatin1String("too large")));

        // A height array beyond its limit: a warning with the table, none
        // without it, the same image either way.
        s = small_settings(300, 40);
        s.heightarray_limit = 0;
        const RenderResult warned = render_depth_map(ramp_and_box(300, 40), s, 3);
        QCOMPARE(warned.warnings.size(), 1);
        QVERIFY(warned.warnings[0].contains(QLatin1String("0.4 Kbytes")));
        s.donotusearray = true;
        const RenderResult quiet = render_depth_map(ramp_and_box(300, 40), s, 3);
        QVERIFY(quiet.ok() && quiet.warnings.isEmpty());
        QCOMPARE(quiet.stereogram, warned.stereogram);
        QCOMPARE(quiet.zero_separation, 60);
        QCOMPARE(quiet.nearest_separation, StereoGeometry(s).separation_px(100));
        QCOMPARE(quiet.farthest_separation, StereoGeometry(s).separation_px(-100));

        // Cancelled from the progress report: no image.
        std::atomic<bool> cancel{false};
        int polls = 0;
        RenderControl control{2, &cancel, [&](int) {
                                  ++polls;
                                  cancel = true;
                              }};
        const RenderResult cancelled = render_depth_map(flat_map(1000, 8000, 0), s, 3, control);
        QVERIFY(cancelled.cancelled && cancelled.stereogram.isNull() && polls >= 1);
    }
};

QTEST_GUILESS_MAIN(TestStereogram)
#include "test_stereogram.moc"

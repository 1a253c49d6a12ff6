// The viewing geometry, hidden-surface removal, linking and colouring of
// the stereogram, its patterns, oversampling and cross-eyed viewing, the
// guide dots, and the checks that stop a render.
#include "render/stereo_check.h"
#include "height_grid.h"
#include "small_settings.h"
#include "stereogram_reference.h"
#include "veride/guides.h"
#include "veride/render_scene.h"
#include "veride/stereogram.h"
#include <QSet>
#include <QTest>
#include <random>

namespace {

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

// A tile of random colours, so that equal pixels mean linked pixels.
QImage noise_tile(int width, int height, unsigned seed)
{
    std::mt19937 random(seed);
    QImage tile(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) tile.setPixel(x, y, random() | 0xFF000000u);
    return tile;
}

// The smallest shift in [low, high] by which pixels [x0, x1) of row y repeat
// exactly; 0 when none does.
int repeat_of(const QImage& image, int y, int x0, int x1, int low, int high)
{
    for (int shift = low; shift <= high; ++shift) {
        int x = x0;
        while (x < x1 && image.pixel(x, y) == image.pixel(x + shift, y)) ++x;
        if (x == x1) return shift;
    }
    return 0;
}

// Terraces `width` pixels wide from 0 down to `lowest` in `step` mm, then
// level ground at 0 to the right end.
DepthMap terraces(int lowest, int step, int width)
{
    const int count = -lowest / step + 1;
    HeightGrid grid((count + 1) * width, 2, 0);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < count * width; ++x) grid.row(y)[x] = -step * (x / width);
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
            const SeparationTable separations(g, s.min_height, s.max_height, round % 2 == 0, round % 5 == 4);
            const DepthMap map = patchwork_map(s.width_px, s.height_px, s.min_height, s.max_height, random);
            const StereogramRows rows(map, g, separations, round, dot_colors(0, 10000));
            // Oversampled: the rows k times wider, each pixel k samples.
            const int k = 2 + round / 4 % 3;
            const DepthMap wide_map = map.widened(k);
            const StereoGeometry wide_g = g.oversampled(k);
            const SeparationTable wide_separations(wide_g, s.min_height, s.max_height, true, round % 5 == 4);
            const StereogramRows wide(wide_map, wide_g, wide_separations, Pattern::dots(round, {}, k));
            StereogramRows::Scratch scratch;
            for (int y = 0; y < map.height; ++y) {
                // The plain definition is slow on wide rows: some of them.
                if (round % 8 == 1 && y % 3 == 0) {
                    wide.link(y, scratch);
                    const std::vector<int> wide_same = reference::links(wide_map, y, wide_g, wide_separations);
                    for (int x = 0; x < wide_map.width; ++x)
                        QVERIFY2(scratch.link[x] == wide_same[x] - x,
                                 qPrintable(QStringLiteral("round %1 row %2 k %3 x %4").arg(round).arg(y).arg(k).arg(x)));
                }
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
            // Textured and coloured, painted in stretches or sample by sample.
            const Pattern pattern = round % 2 ? Pattern::color_dots(round, 7, k)
                                              : Pattern::image(noise_tile(13, 9, round), false, wide_separations(0), k,
                                                               map.width, map.height);
            QVERIFY2(render_stereogram(map, wide_g, wide_separations, pattern, {2, nullptr, {}}) ==
                         reference::picture(StereogramRows(wide_map, wide_g, wide_separations, pattern), wide_map, pattern),
                     qPrintable(QStringLiteral("round %1 pattern").arg(round)));
        }
    }

    void textured_and_coloured_pictures_decode_to_the_depth()
    {
        const RenderSettings s = small_settings(300, 40);
        const StereoGeometry g(s);
        const DepthMap map = ramp_and_box(300, 40);
        PictureOptions options;
        options.pattern = PatternKind::Image;
        options.tile = noise_tile(16, 8, 1);
        const RenderResult textured = render_depth_map(map, s, 7, {}, options);
        QVERIFY(textured.ok());
        const StereoCheck check = check_stereogram(textured.stereogram, map, g);
        QCOMPARE(check.mismatches, 0L);
        QVERIFY(check.pairs > 300 * 40 / 2);
        QVERIFY(check_stereogram(textured.stereogram, flat_map(300, 40, 100), g).mismatches > 100);

        // Fitted: the tile is as wide as the background repeats (the height
        // most of the map lies at), and in proportion; the free repeat at
        // the right end of each row is one whole tile, laid from the top row.
        HeightGrid pit(300, 40, 0);
        for (int y = 0; y < 40; ++y)
            for (int x = 20; x < 60; ++x) pit.row(y)[x] = -100;
        const int repeat = g.separation_px(0); // 60
        const QImage fitted =
            options.tile.scaled(repeat, repeat / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage level = render_depth_map(pit.map(), s, 7, {}, options).stereogram;
        for (int y = 0; y < 40; ++y)
            for (int x = 100; x < 300; ++x)
                QCOMPARE(level.pixel(x, y), fitted.pixel((x + 5 * repeat - 300) % repeat, y % (repeat / 2)));
        // Own size: one tile pixel per picture pixel, at the same places.
        options.tile_own_size = true;
        const QImage own = render_depth_map(flat_map(300, 40, 0), s, 7, {}, options).stereogram;
        for (int y = 0; y < 40; ++y)
            for (int x = 300 - repeat; x < 300; ++x)
                QCOMPARE(own.pixel(x, y), options.tile.pixel((x - 300 + 320) % 16, y % 8));
        // Tiles far larger than the picture, or none.
        options.tile = noise_tile(5000, 3, 2);
        QCOMPARE(check_stereogram(render_depth_map(map, s, 7, {}, options).stereogram, map, g).mismatches, 0L);
        options.tile_own_size = false;
        options.tile = noise_tile(2, 900, 3);
        QCOMPARE(check_stereogram(render_depth_map(map, s, 7, {}, options).stereogram, map, g).mismatches, 0L);
        options.tile = QImage();
        QVERIFY(render_depth_map(map, s, 7, {}, options).error.contains(QLatin1String("pattern image")));

        // Coloured dots: the seed's colours, all of them, the same picture
        // for the same seed.
        options.pattern = PatternKind::ColorDots;
        options.colors = 5;
        const QImage coloured = render_depth_map(map, s, 7, {}, options).stereogram;
        QCOMPARE(check_stereogram(coloured, map, g).mismatches, 0L);
        QSet<QRgb> seen, palette;
        for (const Rgb& c : dot_palette(7, 5)) palette.insert(qRgb(c[0], c[1], c[2]));
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 300; ++x) seen.insert(coloured.pixel(x, y));
        QCOMPARE(seen, palette);
        QCOMPARE(render_depth_map(map, s, 7, {}, options).stereogram, coloured);
        QVERIFY(render_depth_map(map, s, 8, {}, options).stereogram != coloured);
    }

    void oversampled_ramps_repeat_in_fractions_of_a_pixel()
    {
        // 1 pixel per mm: repeats of 30 to 33 pixels over terraces from 0 to
        // -40 mm, 0.15 pixels apart.
        RenderSettings s = small_settings(22 * 200, 2);
        s.width_mm = s.width_px;
        const StereoGeometry g(s);
        const DepthMap map = terraces(-40, 2, 200);
        PictureOptions dots, tile;
        tile.pattern = PatternKind::Image;
        tile.tile = noise_tile(20, 20, 4);
        for (PictureOptions options : {dots, tile}) {
            QSet<int> steps[2];
            for (const int k : {1, 4}) {
                options.oversample = k;
                const RenderResult result = render_depth_map(map, s, 5, {}, options);
                QVERIFY(result.ok());
                for (int t = 0; t < 21; ++t) {
                    // The picture repeats exactly every k separations, which
                    // is a whole number of pixels.
                    const double exact = k * g.separation_exact_px(-2 * t);
                    const int x0 = 200 * t + 2, x1 = 200 * t + 200 - 2 - (int(exact) + 1);
                    for (int y = 0; y < 2; ++y) {
                        const int found = repeat_of(result.stereogram, y, x0, x1, int(exact - k / 2.0),
                                                    int(exact + k / 2.0) + 1);
                        QVERIFY2(std::abs(found - exact) <= 0.5, qPrintable(QStringLiteral("k %1 terrace %2: %3 for %4")
                                                                                .arg(k).arg(t).arg(found).arg(exact)));
                        steps[k / 4].insert(found);
                    }
                }
                QCOMPARE(result.zero_separation, 30);
            }
            QCOMPARE(steps[0].size(), 4);  // 30 to 33 pixels
            QCOMPARE(steps[1].size(), 12); // 30 to 32.75 in quarters
        }
        // Blended where they shift by part of a pixel, dots keep to their
        // two colours where they do not.
        dots.oversample = 4;
        const QImage blended = render_depth_map(map, s, 5, {}, dots).stereogram;
        QSet<QRgb> greys;
        for (int x = 0; x < map.width; ++x) greys.insert(blended.pixel(x, 0));
        QVERIFY(greys.size() > 2);
        for (int x = map.width - 30; x < map.width; ++x)
            QVERIFY(blended.pixel(x, 0) == qRgb(0, 0, 0) || blended.pixel(x, 0) == qRgb(255, 255, 255));
    }

    void cross_eyed_pictures_repeat_wider_near_than_far()
    {
        // A box at 60 mm on a floor at -60 mm.
        const RenderSettings s = small_settings(400, 20);
        const StereoGeometry g(s);
        HeightGrid grid(400, 20, -60);
        for (int y = 0; y < 20; ++y)
            for (int x = 150; x < 330; ++x) grid.row(y)[x] = 60;
        const DepthMap map = grid.map();
        PictureOptions options;
        for (const bool cross : {false, true}) {
            options.cross_eyed = cross;
            const QImage image = render_depth_map(map, s, 9, {}, options).stereogram;
            const int floor = repeat_of(image, 5, 10, 70, 30, 80), box = repeat_of(image, 5, 160, 240, 30, 80);
            // Cross-eyed, heights are mirrored within -100..100 mm for the
            // separations: the box repeats as the floor does for parallel viewing.
            QCOMPARE(floor, g.separation_px(cross ? 60 : -60));
            QCOMPARE(box, g.separation_px(cross ? -60 : 60));
            QCOMPARE(box > floor, cross);

            // Every point both eyes see, by the real heights, is linked.
            long pairs = 0;
            for (int y = 0; y < 20; ++y) {
                const std::vector<std::int32_t> row = map.heights(y);
                for (int x = 0; x < 400; ++x) {
                    const int sep = g.separation_px(cross ? -row[x] : row[x]);
                    const int left = x - (sep + (sep & y & 1)) / 2;
                    if (left < 0 || left + sep >= 400 || !seen_by_both_eyes(row, g, x, 60)) continue;
                    ++pairs;
                    QCOMPARE(image.pixel(left, y), image.pixel(left + sep, y));
                }
            }
            QVERIFY(pairs > 400 * 20 / 2);
        }
    }

    void guide_dots_sit_above_the_picture_a_repeat_apart()
    {
        const RenderSettings s = small_settings(300, 40);
        const RenderResult result = render_depth_map(ramp_and_box(300, 40), s, 7);
        const QImage guided = picture_with_guides(result.stereogram, result.zero_separation); // 60 pixels
        QCOMPARE(guide_dot_radius(60), 4);
        QCOMPARE(guided.size(), QSize(300, 56));
        QCOMPARE(guided.format(), result.stereogram.format());
        QCOMPARE(guided.copy(0, 16, 300, 40), result.stereogram);
        // Black at the two centres, 60 pixels apart about the middle; white
        // between and beyond.
        QCOMPARE(guided.pixel(120, 8), qRgb(0, 0, 0));
        QCOMPARE(guided.pixel(179, 8), qRgb(0, 0, 0));
        for (const int x : {0, 110, 150, 190, 299}) QCOMPARE(guided.pixel(x, 8), qRgb(255, 255, 255));
        for (int x = 0; x < 300; ++x) QCOMPARE(guided.pixel(x, 0), qRgb(255, 255, 255));
        // Larger at printer resolutions.
        QCOMPARE(guide_dot_radius(236), 14);
        QVERIFY(picture_with_guides(QImage(), 60).isNull());
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

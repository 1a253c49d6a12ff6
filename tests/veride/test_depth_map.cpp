// Depth maps from objects pixel by pixel, from images, and the settings read
// from the blocks the program hands over.
#include "core/configuration.h"
#include "veride/depth_map.h"
#include "veride/render_settings.h"
#include <QTemporaryDir>
#include <QTest>
#include <climits>
#include <random>

namespace {

constexpr StoredColor Background = 0x800000;

// A buffer of '#' (object) and '.' (background) rows.
QImage buffer_of(const QStringList& rows)
{
    QImage image(rows[0].size(), rows.size(), QImage::Format_RGB888);
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < rows[y].size(); ++x)
            image.setPixelColor(x, y, rows[y][x] == QLatin1Char('#') ? QColor(255, 255, 0) : to_qcolor(Background));
    return image;
}

Morphology flat(int tl, int tr, int bl, int br)
{
    Morphology m;
    reset_morphology(m);
    m.edge_heights = {tl, tr, bl, br};
    return m;
}

Morphology from_bitmap(const char* path, int channel, int min_value, int max_value, int min_h, int max_h)
{
    Morphology m;
    reset_morphology(m);
    m.flat_surface = 0;
    m.bitmap_file = path;
    m.main_color = channel;
    m.min_color_value = min_value;
    m.max_color_value = max_value;
    m.min_color_height = min_h;
    m.max_color_height = max_h;
    return m;
}

QStringList rows_of(const DepthMap& map)
{
    QStringList rows;
    for (int y = 0; y < map.height; ++y) {
        QStringList row;
        for (int x = 0; x < map.width; ++x) row << QString::number(map.at(x, y));
        rows << row.join(QLatin1Char(' '));
    }
    return rows;
}

} // namespace

class TestDepthMap : public QObject {
    Q_OBJECT
private slots:
    void flat_surfaces_interpolate_between_their_corners()
    {
        const QImage full = buffer_of({"######", "######", "######", "######"});
        std::vector<SceneObject> objects{
            scene_object_from_buffer("shape1", QRect(1, 1, 6, 4), full, Background, flat(10, 20, 40, 70))};
        QStringList problems;
        const DepthMap map = build_depth_map(8, 6, objects, {-95, 80}, problems);
        QVERIFY(problems.isEmpty());
        QCOMPARE(map.at(0, 0), 0);  // background
        QCOMPARE(map.at(1, 1), 10); // the four corners exactly
        QCOMPARE(map.at(6, 1), 20);
        QCOMPARE(map.at(1, 4), 40);
        QCOMPARE(map.at(6, 4), 70);
        // u = 2/5, v = 1/3: top 14, bottom 52, 14 + 38/3 = 26.67
        QCOMPARE(map.at(3, 2), 27);
        QCOMPARE(map.at(7, 5), 0);

        // Heights beyond the limits are held to them.
        objects[0].morphology = flat(-500, 500, 0, 0);
        const DepthMap limited = build_depth_map(8, 6, objects, {-95, 80}, problems);
        QCOMPARE(limited.at(1, 1), -95);
        QCOMPARE(limited.at(6, 1), 80);
        // Even corners a whole int apart, as a damaged file may give them.
        objects[0].morphology = flat(INT_MIN, INT_MAX, INT_MAX, INT_MIN);
        const DepthMap extreme = build_depth_map(8, 6, objects, {-95, 80}, problems);
        QCOMPARE(extreme.at(1, 1), -95);
        QCOMPARE(extreme.at(6, 1), 80);
    }

    void later_objects_cover_earlier_ones_except_where_clipped_or_empty()
    {
        QTemporaryDir dir;
        // Red channel 0, 100 / 200, 250 stretched over a 4 x 4 object: each
        // bitmap pixel covers 2 x 2, heights 0, 20 / 40, 50.
        QImage bitmap(2, 2, QImage::Format_RGB888);
        bitmap.setPixelColor(0, 0, QColor(0, 9, 9));
        bitmap.setPixelColor(1, 0, QColor(100, 9, 9));
        bitmap.setPixelColor(0, 1, QColor(200, 9, 9));
        bitmap.setPixelColor(1, 1, QColor(250, 9, 9));
        const QString path = dir.filePath("heights.bmp");
        QVERIFY(bitmap.save(path));

        const QImage back = buffer_of({"#####", "#####", "#####", "#####"});
        const QImage front = buffer_of({"####", "###.", "####", "####"});
        Morphology clipped = from_bitmap(path.toLocal8Bit().constData(), 1, 0, 250, 0, 50);
        clipped.clip_enabled = 1;
        clipped.clip_height = 30;
        std::vector<SceneObject> objects{
            scene_object_from_buffer("shape1", QRect(0, 0, 5, 4), back, Background, flat(7, 7, 7, 7)),
            scene_object_from_buffer("shape2", QRect(2, 1, 4, 4), front, Background,
                                     from_bitmap(path.toLocal8Bit().constData(), 1, 0, 250, 0, 50))};
        QStringList problems;
        QCOMPARE(rows_of(build_depth_map(7, 5, objects, {-95, 80}, problems)),
                 QStringList({"7 7 7 7 7 0 0",
                              "7 7 0 0 20 20 0",
                              "7 7 0 0 20 0 0", // the empty pixel shows what lies behind
                              "7 7 40 40 50 50 0",
                              "0 0 40 40 50 50 0"}));

        // Clipping below 30 lets the lower half of the bitmap show what lies behind.
        objects[1].morphology = clipped;
        QCOMPARE(rows_of(build_depth_map(7, 5, objects, {-95, 80}, problems)),
                 QStringList({"7 7 7 7 7 0 0",
                              "7 7 7 7 7 0 0",
                              "7 7 7 7 7 0 0",
                              "7 7 40 40 50 50 0",
                              "0 0 40 40 50 50 0"}));
        QVERIFY(problems.isEmpty());

        // Equal colour values give the lowest height; the green channel is read.
        objects[1].morphology = from_bitmap(path.toLocal8Bit().constData(), 2, 9, 9, 33, 60);
        QCOMPARE(build_depth_map(7, 5, objects, {-95, 80}, problems).at(2, 1), 33);

        // A bitmap that cannot be read: named once, the object lies flat at 0.
        objects[1].morphology = from_bitmap("/no/such/heights.bmp", 1, 0, 250, 0, 50);
        objects.push_back(objects[1]);
        objects[2].name = QStringLiteral("shape3");
        const DepthMap fallback = build_depth_map(7, 5, objects, {-95, 80}, problems);
        QCOMPARE(problems.size(), 1);
        QVERIFY(problems[0].contains(QLatin1String("/no/such/heights.bmp")));
        QCOMPARE(fallback.at(2, 1), 0);
        QCOMPARE(fallback.at(0, 0), 7);
    }

    void objects_beyond_the_panel_and_odd_buffers_are_safe()
    {
        const QImage small = buffer_of({"##", "##"});
        QImage silhouette(3, 1, QImage::Format_Mono);
        silhouette.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        silhouette.fill(1);
        silhouette.setPixel(1, 0, 0);
        std::vector<SceneObject> objects{
            scene_object_from_buffer("a", QRect(-3, -3, 5, 5), small, Background, flat(9, 9, 9, 9)),
            scene_object_from_buffer("b", QRect(3, 3, 10, 10), QImage(), Background, flat(5, 5, 5, 5)),
            scene_object_from_silhouette("c", QRect(2, 0, 3, 1), silhouette, flat(1, 1, 1, 1))};
        QStringList problems;
        // The 2 x 2 buffer only covers its own pixels (panel -3..-2, outside);
        // an object without pixels covers nothing; a silhouette's black pixels count.
        const DepthMap map = build_depth_map(4, 4, objects, {-95, 80}, problems);
        QCOMPARE(rows_of(map), QStringList({"0 0 0 1", "0 0 0 0", "0 0 0 0", "0 0 0 0"}));
        QCOMPARE(objects[2].covered, std::vector<std::uint8_t>({0, 1, 0}));
    }

    void bitmaps_as_large_as_an_object_are_read()
    {
        // More pixels than Qt's readers allow by default at four bytes each.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("large.bmp"));
        QImage large(12000, 6000, QImage::Format_Mono);
        large.fill(0);
        QVERIFY(large.save(path, "BMP"));
        QCOMPARE(read_bitmap_file(path).size(), QSize(12000, 6000));
    }

    void later_objects_lie_in_front_whatever_row_they_start_on()
    {
        const QImage block = buffer_of({"###", "###", "###"});
        std::vector<SceneObject> objects{
            scene_object_from_buffer("low", QRect(0, 2, 3, 3), block, Background, flat(3, 3, 3, 3)),
            scene_object_from_buffer("high", QRect(1, 0, 3, 3), block, Background, flat(8, 8, 8, 8)),
            scene_object_from_buffer("top", QRect(2, 1, 3, 3), block, Background, flat(-4, -4, -4, -4))};
        QStringList problems;
        const DepthMap map = build_depth_map(5, 5, objects, {-95, 80}, problems);
        QCOMPARE(rows_of(map), QStringList({"0 8 8 8 0", "0 8 -4 -4 -4", "3 8 -4 -4 -4", "3 3 -4 -4 -4",
                                            "3 3 3 0 0"}));
    }

    void rows_kept_as_runs_give_back_every_height()
    {
        std::mt19937 random(7);
        for (int width : {1, 2, 31, 32, 33, 100}) {
            std::vector<std::int32_t> heights;
            const int height = 12;
            for (int y = 0; y < height; ++y) {
                const int kind = y % 4; // level, noise, two halves, a copy of the row above
                for (int x = 0; x < width; ++x) {
                    const std::int32_t z = kind == 0   ? -7
                                           : kind == 1 ? std::int32_t(random() % 3) - 1
                                           : kind == 2 ? (x < width / 2 ? 5 : 80)
                                                       : heights[heights.size() - width];
                    heights.push_back(z);
                }
            }
            const DepthMap map = DepthMap::from_heights(width, height, heights);
            for (int y = 0; y < height; ++y) {
                const std::vector<std::int32_t> row(heights.begin() + y * width, heights.begin() + (y + 1) * width);
                QCOMPARE(map.heights(y), row);
                for (int x = 0; x < width; ++x) QCOMPARE(map.at(x, y), row[x]);
                QVERIFY(map.row(y).size() >= 1 && map.row(y)[0].begin == 0);
            }
            QCOMPARE(map.row(0).size(), std::size_t(1));
            QVERIFY(map.same_rows(2, 3) && !map.same_rows(0, 2));
            const auto [low, high] = map.range();
            QCOMPARE(low, *std::min_element(heights.begin(), heights.end()));
            QCOMPARE(high, *std::max_element(heights.begin(), heights.end()));
        }
        QCOMPARE(DepthMap().range(), (std::pair<std::int32_t, std::int32_t>(0, 0)));
    }

    void images_read_as_depth_maps_and_back()
    {
        QImage grey(3, 1, QImage::Format_Grayscale8);
        grey.scanLine(0)[0] = 0;
        grey.scanLine(0)[1] = 128;
        grey.scanLine(0)[2] = 255;
        const DepthMap map = depth_map_from_image(grey, {-100, 155});
        QCOMPARE(rows_of(map), QStringList({"-100 28 155"}));
        const QImage back = depth_map_image(map);
        QCOMPARE(qGray(back.pixel(0, 0)), 0);
        QCOMPARE(qGray(back.pixel(2, 0)), 255); // near is white
    }

    void settings_are_read_from_the_program_blocks()
    {
        ConfigurationRecord record;
        record.eye_distance = 63;
        record.level_distance = 700;
        record.max_height = 120;
        record.min_height = -300;
        record.donotusearray_flag = 1;
        record.heightarray_limit = 7;
        record.rendercolor_range = 2500;
        record.rendercolor_base = 0x123456;
        const ConfigurationBlock block = configuration_block(record);
        const std::int32_t dimensions[4] = {200, 150, 756, 567};
        const RenderSettings s =
            settings_from_blocks(block.data(), reinterpret_cast<const unsigned char*>(dimensions));
        QCOMPARE(s.eye_distance, 63);
        QCOMPARE(s.level_distance, 700);
        QCOMPARE(s.max_height, 120);
        QCOMPARE(s.min_height, -300);
        QVERIFY(s.donotusearray);
        QCOMPARE(s.heightarray_limit, 7);
        QCOMPARE(s.rendercolor_range, 2500);
        QCOMPARE(s.rendercolor_base, 0x123456);
        QCOMPARE(s.width_mm, 200);
        QCOMPARE(s.height_mm, 150);
        QCOMPARE(s.width_px, 756);
        QCOMPARE(s.height_px, 567);
    }
};

QTEST_GUILESS_MAIN(TestDepthMap)
#include "test_depth_map.moc"

// Files made to hurt: silhouettes that claim rows they do not carry, and
// records that ask for more pixels than a drawing may hold.
#include "core/object_size.h"
#include "core/raster.h"
#include "core/shape.h"
#include "files/drawing_reader.h"
#include "files/drawing_writer.h"
#include "files/silhouette_bmp.h"
#include <QBuffer>
#include <QTest>
#include <climits>
#include <QtEndian>

namespace {

constexpr StoredColor navy = 0x800000;

// A drawing file whose `count` records each claim width x height pixels
// and carry a 1 x 1 silhouette.
QByteArray claiming_file(int count, std::int32_t width, std::int32_t height)
{
    QByteArray bytes = DrawingHeader{100, 80, 400, 300, count}.to_bytes();
    for (int i = 0; i < count; ++i) {
        ShapeRecord record;
        record.name = "big" + QByteArray::number(i);
        record.width = width;
        record.height = height;
        bytes += record.to_bytes() + silhouette_bmp(make_buffer(1, 1, navy), navy);
    }
    return bytes;
}

void put32(QByteArray& bytes, qsizetype at, std::uint32_t value)
{
    qToLittleEndian<std::uint32_t>(value, bytes.data() + at);
}

} // namespace

class TestHostileFiles : public QObject {
    Q_OBJECT
private slots:
    void a_silhouette_must_carry_every_row_it_claims()
    {
        const QByteArray bmp = silhouette_bmp(make_buffer(16, 16, navy), navy);
        QCOMPARE(bmp_length(bmp), bmp.size());

        // Twice as tall as its 64 bytes of rows.
        QByteArray taller = bmp;
        put32(taller, 22, 32);
        QVERIFY(!bmp_length(taller));
        // The same with no image size given, the bytes ending after the rows.
        put32(taller, 34, 0);
        QVERIFY(!bmp_length(taller));
        // Rows said to start past the colour table run beyond the image.
        QByteArray shifted = bmp;
        put32(shifted, 10, 62 + 8);
        QVERIFY(!bmp_length(shifted));

        // In a file such an image ends the reading there.
        QByteArray file = DrawingHeader{10, 10, 40, 40, 1}.to_bytes();
        ShapeRecord record;
        record.width = 16;
        record.height = 32;
        put32(shifted, 10, 62);
        put32(shifted, 22, 32);
        file += record.to_bytes() + shifted + QByteArray(64, '\xAA');
        const DrawingContents contents = read_drawing(file);
        QVERIFY(contents.problem != ReadProblem::None);
        QVERIFY(contents.entries.isEmpty());
    }

    void records_beyond_the_budget_are_refused_before_any_pixel()
    {
        const DrawingContents two = read_drawing(claiming_file(2, 16384, 8192));
        QCOMPARE(two.problem, ReadProblem::None);
        QCOMPARE(two.entries.size(), 2);
        QCOMPARE(two.object_pixels, drawing_pixel_budget);

        const DrawingContents ten = read_drawing(claiming_file(10, 16384, 8192));
        QCOMPARE(ten.problem, ReadProblem::TooLarge);
        QVERIFY(ten.entries.isEmpty());
        QCOMPARE(ten.object_pixels, 10 * max_object_pixels);
        QVERIFY(describe(ten).contains(QStringLiteral("1342177280")));
    }

    void objects_at_the_size_limits_round_trip()
    {
        // The longest side, and the most pixels an object may have, each
        // beyond what Qt's readers allocate by default.
        const QSize sizes[] = {{max_side_px, 1}, {1, max_side_px}, {max_side_px, 4096}, {16384, 8192}};
        for (const QSize size : sizes) {
            Shape shape(nullptr, navy);
            shape.name = QStringLiteral("big");
            shape.set_bounds(0, 0, size.width(), size.height());
            shape.buffer = make_buffer(size.width(), size.height(), color_black);
            const DrawingContents back = read_drawing(drawing_file_bytes({10, 10, 40, 40, 0}, {&shape}, navy));
            QCOMPARE(back.problem, ReadProblem::None);
            QCOMPARE(back.entries.size(), 1);
            QCOMPARE(back.entries[0].silhouette.size(), size);
        }
        // A silhouette larger than any object is no silhouette.
        QImage huge(max_side_px, max_side_px, QImage::Format_Mono);
        huge.fill(0);
        QByteArray bmp;
        QBuffer out(&bmp);
        out.open(QIODevice::WriteOnly);
        huge.save(&out, "BMP");
        QVERIFY(decode_bmp(bmp).isNull());
    }

    void objects_far_from_the_panel_are_kept_within_bounds()
    {
        const auto file_with = [](std::int32_t left, std::int32_t top) {
            QByteArray bytes = DrawingHeader{100, 80, 400, 300, 2}.to_bytes();
            for (const std::int32_t at : {0, left}) {
                ShapeRecord record;
                record.width = record.height = 100;
                record.left = at;
                record.top = at == 0 ? 0 : top;
                bytes += record.to_bytes() + silhouette_bmp(make_buffer(100, 100, color_black), navy);
            }
            return bytes;
        };
        for (const auto [left, top] : {std::pair{max_object_offset, -max_object_offset}, {-max_object_offset, 0}}) {
            const DrawingContents far = read_drawing(file_with(left, top));
            QCOMPARE(far.problem, ReadProblem::None);
            QCOMPARE(far.entries.size(), 2);
        }
        for (const auto [left, top] : {std::pair{INT_MIN, 0}, {INT_MIN, INT_MIN}, {INT_MAX - 50, 0}, {1, max_object_offset + 1}}) {
            const DrawingContents beyond = read_drawing(file_with(left, top));
            QCOMPARE(beyond.problem, ReadProblem::BadObjectPlace);
            QCOMPARE(beyond.entries.size(), 1); // the object before it is kept
        }
    }
};

QTEST_MAIN(TestHostileFiles)
#include "test_hostile_files.moc"

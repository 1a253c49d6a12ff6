// Files made to hurt: silhouettes that claim rows they do not carry, and
// records that ask for more pixels than a drawing may hold.
#include "core/object_size.h"
#include "core/raster.h"
#include "core/shape.h"
#include "files/drawing_reader.h"
#include "files/drawing_writer.h"
#include "files/silhouette_bmp.h"
#include <QTest>
#include <QtEndian>

namespace {

constexpr TColor navy = 0x800000;

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

    void objects_at_the_side_limit_round_trip()
    {
        TRazidoVavoz wide(nullptr, navy);
        wide.Name = QStringLiteral("wide");
        wide.set_bounds(0, 0, max_side_px, 1);
        wide.buffer = make_buffer(max_side_px, 1, clBlack);
        TRazidoVavoz tall(nullptr, navy);
        tall.Name = QStringLiteral("tall");
        tall.set_bounds(0, 0, 1, max_side_px);
        tall.buffer = make_buffer(1, max_side_px, clBlack);
        const DrawingContents back = read_drawing(drawing_file_bytes({10, 10, 40, 40, 0}, {&wide, &tall}, navy));
        QCOMPARE(back.problem, ReadProblem::None);
        QCOMPARE(back.entries.size(), 2);
        QCOMPARE(back.entries[0].silhouette.size(), QSize(max_side_px, 1));
        QCOMPARE(back.entries[1].silhouette.size(), QSize(1, max_side_px));
    }
};

QTEST_MAIN(TestHostileFiles)
#include "test_hostile_files.moc"

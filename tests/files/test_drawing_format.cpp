// The drawing file codec: exact bytes of header, record and silhouette, and
// a reader that stops cleanly on every kind of damaged file.
#include "core/raster.h"
#include "core/shape.h"
#include "files/drawing_reader.h"
#include "files/drawing_writer.h"
#include "files/shape_from_record.h"
#include "files/silhouette_bmp.h"
#include <QPainter>
#include <QTest>
#include <QtEndian>

namespace {

constexpr StoredColor navy = 0x800000;
constexpr StoredColor yellow = 0x00FFFF;

std::int32_t int_at(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<std::int32_t>(bytes.constData() + offset);
}

// An ellipse-like figure: background around a black-edged yellow body.
Shape* make_shape(const QString& name, int left, int top, int width, int height)
{
    auto* shape = new Shape(nullptr, navy);
    shape->name = name;
    shape->set_bounds(left, top, width, height);
    shape->buffer = make_buffer(width, height, navy);
    QPainter painter(&shape->buffer);
    painter.setPen(Qt::black);
    painter.setBrush(to_qcolor(yellow));
    painter.drawEllipse(QRect(0, 0, width - 1, height - 1));
    return shape;
}

QByteArray one_shape_file(Shape* shape)
{
    return drawing_file_bytes({100, 80, 400, 300, 0}, {shape}, navy);
}

// A BMP file built by hand: file header, information header of the given
// size, then `tail` (masks, colour table, pixels).
QByteArray hand_bmp(int info_size, const QByteArray& info_fields, const QByteArray& tail)
{
    QByteArray info(info_size, '\0');
    qToLittleEndian<std::uint32_t>(info_size, info.data());
    info.replace(4, info_fields.size(), info_fields);
    QByteArray bytes = "BM" + QByteArray(12, '\0') + info + tail;
    qToLittleEndian<std::uint32_t>(bytes.size(), bytes.data() + 2);
    qToLittleEndian<std::uint32_t>(14 + info_size, bytes.data() + 10);
    return bytes;
}

QByteArray le32(std::int32_t v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le16(std::uint16_t v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

} // namespace

class TestDrawingFormat : public QObject {
    Q_OBJECT
private slots:
    void one_object_is_written_byte_exact_and_reads_back()
    {
        std::unique_ptr<Shape> shape(make_shape(QStringLiteral("shape1"), 12, 34, 21, 10));
        const QByteArray file = one_shape_file(shape.get());
        const QByteArray bmp = silhouette_bmp(shape->buffer, navy);
        QCOMPARE(file.size(), 20 + 356 + bmp.size());
        QCOMPARE(int_at(file, 0), 100);
        QCOMPARE(int_at(file, 8), 400);
        QCOMPARE(int_at(file, 16), 1);
        QCOMPARE(int_at(file, 20), 356);
        QCOMPARE(file.at(24), char(6));
        QCOMPARE(file.mid(25, 6), QByteArray("shape1"));
        QCOMPARE(int_at(file, 20 + 36), 34); // top before left
        QCOMPARE(int_at(file, 20 + 40), 12);
        QCOMPARE(int_at(file, 20 + 44), 21);
        QCOMPARE(int_at(file, 20 + 48), 10);

        // The silhouette: 1 bit, black then white, its own length in the
        // file header, 21 pixels padded to 4 bytes a row.
        QCOMPARE(bmp.left(2), QByteArray("BM"));
        QCOMPARE(int_at(bmp, 2), bmp.size());
        QCOMPARE(int_at(bmp, 14), 40);
        QCOMPARE(int_at(bmp, 18), 21);
        QCOMPARE(int_at(bmp, 22), 10);
        QCOMPARE(qFromLittleEndian<std::uint16_t>(bmp.constData() + 28), std::uint16_t(1));
        QCOMPARE(bmp.mid(54, 8), QByteArray("\0\0\0\0\xff\xff\xff\0", 8));
        QCOMPARE(bmp.size(), 62 + 4 * 10);
        QCOMPARE(bmp_length(bmp), std::optional<qint64>(bmp.size()));
        QCOMPARE(silhouette_bmp(shape->buffer, navy), bmp); // deterministic

        const DrawingContents read = read_drawing(file);
        QCOMPARE(read.problem, ReadProblem::None);
        QCOMPARE(read.entries.size(), 1);
        std::unique_ptr<Shape> back = shape_from_entry(nullptr, read.entries[0], navy, yellow);
        QCOMPARE(back->bounds(), shape->bounds());
        QCOMPARE(back->buffer.convertToFormat(QImage::Format_RGB888), shape->buffer);
        back->name = QStringLiteral("shape1");
        QCOMPARE(one_shape_file(back.get()), file);

        // Read in other colours: background where the background was, the
        // object colour inside, black on the edge.
        std::unique_ptr<Shape> recoloured = shape_from_entry(nullptr, read.entries[0], 0x00FF00, 0x0000FF);
        QCOMPARE(pixel_color(recoloured->buffer, 0, 0), StoredColor(0x00FF00));
        QCOMPARE(pixel_color(recoloured->buffer, 10, 5), StoredColor(0x0000FF));
        QCOMPARE(pixel_color(recoloured->buffer, 10, 0), color_black);
    }

    void records_keep_only_the_fields_of_their_mode()
    {
        ShapeRecord flat;
        flat.name = "a_name_that_is_longer_than_thirty_characters";
        flat.morphology.flat_surface = 1;
        flat.morphology.edge_heights = {1, -2, 3, -4};
        flat.morphology.bitmap_file = "C:\\maps\\hills.bmp";
        flat.morphology.main_color = 3;
        flat.morphology.clip_height = 9;
        const QByteArray bytes = flat.to_bytes();
        QCOMPARE(bytes.size(), 356);
        QCOMPARE(bytes.at(4), char(30));
        QCOMPARE(ShapeRecord::from_bytes(bytes.constData()).name, QByteArray("a_name_that_is_longer_than_thi"));
        QCOMPARE(int_at(bytes, 52 + 8), -2);
        QCOMPARE(bytes.mid(52 + 20), QByteArray(356 - 72, '\0'));

        // A flat record whose unused bytes hold anything reads back with the
        // bitmap fields of a new object.
        QByteArray dirty = bytes;
        for (int i = 52 + 20; i < 356; ++i) dirty[i] = char(0x5A);
        DrawingEntry entry{ShapeRecord::from_bytes(dirty.constData()), QImage(2, 2, QImage::Format_Mono)};
        entry.record.width = entry.record.height = 2;
        entry.silhouette.fill(1);
        std::unique_ptr<Shape> shape = shape_from_entry(nullptr, entry, navy, yellow);
        Morphology expected;
        reset_morphology(expected);
        expected.edge_heights = {1, -2, 3, -4};
        QCOMPARE(shape->morphology, expected);

        // Bitmap mode with clipping off: no clip height stored or read.
        ShapeRecord mapped;
        mapped.morphology.flat_surface = 0;
        mapped.morphology.bitmap_file = "hills.bmp";
        mapped.morphology.main_color = 2;
        mapped.morphology.max_color_height = 40;
        mapped.morphology.clip_enabled = 0;
        mapped.morphology.clip_height = 17;
        mapped.morphology.edge_heights = {5, 5, 5, 5};
        const QByteArray m = mapped.to_bytes();
        QCOMPARE(int_at(m, 52 + 300), 0);
        QCOMPARE(m.mid(52 + 4, 16), QByteArray(16, '\0'));
        entry.record = ShapeRecord::from_bytes(m.constData());
        entry.record.width = entry.record.height = 2;
        QByteArray with_clip = m;
        qToLittleEndian<std::int32_t>(17, with_clip.data() + 52 + 300);
        entry.record.morphology = Morphology::from_bytes(with_clip.constData() + 52);
        shape = shape_from_entry(nullptr, entry, navy, yellow);
        QCOMPARE(shape->morphology.flat_surface, std::uint8_t(0));
        QCOMPARE(shape->morphology.bitmap_file, QByteArray("hills.bmp"));
        QCOMPARE(shape->morphology.main_color, 2);
        QCOMPARE(shape->morphology.max_color_height, 40);
        QCOMPARE(shape->morphology.clip_height, 0);
        QCOMPARE(shape->morphology.edge_heights, (std::array<std::int32_t, 4>{}));
    }

    void image_length_comes_from_the_image_headers()
    {
        // 12-byte header, 4 x 2 at 8 bits: 256 entries of 3 bytes, rows of 4.
        const QByteArray core = hand_bmp(12, le16(4) + le16(2) + le16(1) + le16(8), QByteArray(768 + 8, '\x01'));
        QCOMPARE(bmp_length(core + "next entry"), std::optional<qint64>(core.size()));
        QVERIFY(!decode_bmp(core).isNull());

        // 40-byte header, 16 bits with bit fields: three masks, no table,
        // image size 0 so rows of 3 x 2 bytes padded to 8, 2 rows.
        QByteArray fields = le32(3) + le32(-2) + le16(1) + le16(16) + le32(3) + le32(0);
        const QByteArray masks = le32(0xF800) + le32(0x07E0) + le32(0x001F);
        const QByteArray bitfields = hand_bmp(40, fields, masks + QByteArray(16, '\x7f'));
        QCOMPARE(bmp_length(bitfields + "more"), std::optional<qint64>(bitfields.size()));

        // 24 bits with a stated image size and a colour table of 2 entries.
        fields = le32(1) + le32(1) + le16(1) + le16(24) + le32(0) + le32(4) + le32(0) + le32(0) + le32(2);
        const QByteArray stated = hand_bmp(40, fields, QByteArray(8 + 4, '\0'));
        QCOMPARE(bmp_length(stated), std::optional<qint64>(stated.size()));

        // Claiming more than is there, compressed, or not a BMP at all.
        QVERIFY(!bmp_length(stated.left(stated.size() - 1)));
        fields = le32(4) + le32(4) + le16(1) + le16(8) + le32(1) + le32(10);
        QVERIFY(!bmp_length(hand_bmp(40, fields, QByteArray(1024 + 10, '\0'))));
        fields = le32(0x7fffffff) + le32(0x7fffffff) + le16(1) + le16(32);
        QVERIFY(!bmp_length(hand_bmp(40, fields, QByteArray(64, '\0'))));
        QVERIFY(!bmp_length("BM"));
        QVERIFY(!bmp_length(QByteArray(60, 'x')));
    }

    void damaged_files_keep_the_objects_before_the_damage()
    {
        std::unique_ptr<Shape> a(make_shape(QStringLiteral("back"), 0, 0, 9, 7));
        std::unique_ptr<Shape> b(make_shape(QStringLiteral("front"), 5, 5, 6, 8));
        const QByteArray file = drawing_file_bytes({10, 10, 50, 50, 0}, {a.get(), b.get()}, navy);
        const DrawingContents whole = read_drawing(file);
        QCOMPARE(whole.entries.size(), 2);
        QCOMPARE(whole.entries[0].record.name, QByteArray("back"));
        const qsizetype second = 20 + 356 + silhouette_bmp(a->buffer, navy).size();

        // Every prefix of the file: never more entries than are complete.
        for (qsizetype n = 0; n < file.size(); ++n) {
            const DrawingContents part = read_drawing(QByteArrayView(file).first(n));
            QCOMPARE(part.problem, ReadProblem::Truncated);
            QCOMPARE(part.entries.size(), n < second ? 0 : 1);
            QCOMPARE(part.header.has_value(), n >= 20);
        }

        QByteArray bad_size = file;
        qToLittleEndian<std::int32_t>(355, bad_size.data() + second);
        DrawingContents read = read_drawing(bad_size);
        QCOMPARE(read.problem, ReadProblem::BadRecordSize);
        QCOMPARE(read.entries.size(), 1);

        for (const std::int32_t width : {0, -3, 40000}) {
            QByteArray absurd = file;
            qToLittleEndian<std::int32_t>(width, absurd.data() + second + 44);
            QCOMPARE(read_drawing(absurd).problem, ReadProblem::BadObjectSize);
        }

        QByteArray counted = file;
        qToLittleEndian<std::int32_t>(0x7fffffff, counted.data() + 16);
        read = read_drawing(counted);
        QCOMPARE(read.entries.size(), 2);
        QCOMPARE(read.problem, ReadProblem::Truncated);

        for (const std::int32_t count : {0, -1}) {
            qToLittleEndian<std::int32_t>(count, counted.data() + 16);
            read = read_drawing(counted);
            QCOMPARE(read.entries.size(), 0);
            QCOMPARE(read.problem, ReadProblem::None);
        }

        QByteArray not_bmp = file;
        not_bmp[second + 356] = 'X';
        QCOMPARE(read_drawing(not_bmp).problem, ReadProblem::BadImage);
    }

    void a_silhouette_of_another_size_sits_at_the_top_left()
    {
        QImage small(2, 2, QImage::Format_Mono);
        small.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        small.fill(0); // all black: object
        const QImage buffer = buffer_from_stored_silhouette(small, 4, 3, navy, yellow);
        QCOMPARE(buffer.size(), QSize(4, 3));
        QCOMPARE(pixel_color(buffer, 0, 0), color_black);
        QCOMPARE(pixel_color(buffer, 1, 1), color_black);
        QCOMPARE(pixel_color(buffer, 2, 0), navy);
        QCOMPARE(pixel_color(buffer, 0, 2), navy);
        QCOMPARE(pixel_color(buffer, 3, 2), navy);
    }

    void stored_names_are_kept_only_when_valid_and_free()
    {
        QCOMPARE(stored_or_default_name("house", {"shape4"}), QStringLiteral("house"));
        QCOMPARE(stored_or_default_name("house", {"house", "shape4"}), QStringLiteral("shape5"));
        QCOMPARE(stored_or_default_name("9 lives", {}), QStringLiteral("shape1"));
        QCOMPARE(stored_or_default_name("", {"shape2"}), QStringLiteral("shape3"));
    }
};

QTEST_GUILESS_MAIN(TestDrawingFormat)
#include "test_drawing_format.moc"

#include "core/morphology.h"
#include <QTest>
#include <climits>
#include <functional>

namespace {
std::int32_t int32_at(const QByteArray& bytes, int offset)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(bytes[offset + i]);
    return static_cast<std::int32_t>(v);
}

QByteArray bytes_at(const QByteArray& bytes, int offset, int count) { return bytes.mid(offset, count); }

Morphology flat(std::array<std::int32_t, 4> heights)
{
    Morphology m;
    reset_morphology(m);
    m.edge_heights = heights;
    return m;
}

Morphology from_bitmap()
{
    Morphology m;
    reset_morphology(m);
    m.flat_surface = 0;
    m.bitmap_file = "/home/me/hills.bmp";
    m.main_color = 2;
    m.min_color_value = 10;
    m.max_color_value = 200;
    m.min_color_height = -5;
    m.max_color_height = 40;
    m.clip_enabled = 1;
    m.clip_height = 7;
    return m;
}
} // namespace

class TestMorphology : public QObject {
    Q_OBJECT
private slots:
    void reset_gives_a_level_flat_surface()
    {
        Morphology m = from_bitmap();
        m.edge_heights = {1, 2, 3, 4};
        reset_morphology(m);
        Morphology expected; // every field 0, the path empty
        expected.flat_surface = 1;
        expected.main_color = 1;
        QCOMPARE(m, expected);
    }

    void every_field_has_its_offset()
    {
        Morphology m;
        m.flat_surface = 1;
        m.edge_heights = {0x01020304, -2, 0x7FFFFFFF, INT32_MIN};
        m.bitmap_file = "C:\\maps\\relief.bmp";
        m.main_color = 3;
        m.min_color_value = 0x11223344;
        m.max_color_value = 255;
        m.min_color_height = -100;
        m.max_color_height = 0x0A0B0C0D;
        m.clip_enabled = 1;
        m.clip_height = -1;

        const QByteArray b = m.to_bytes();
        QCOMPARE(b.size(), 304);
        QCOMPARE(bytes_at(b, 0, 4), QByteArray("\x01\0\0\0", 4));
        QCOMPARE(bytes_at(b, 4, 4), QByteArray("\x04\x03\x02\x01", 4)); // little-endian
        QCOMPARE(bytes_at(b, 8, 4), QByteArray("\xFE\xFF\xFF\xFF", 4));
        QCOMPARE(bytes_at(b, 12, 4), QByteArray("\xFF\xFF\xFF\x7F", 4));
        QCOMPARE(bytes_at(b, 16, 4), QByteArray("\0\0\0\x80", 4));
        QCOMPARE(static_cast<std::uint8_t>(b[20]), std::uint8_t(m.bitmap_file.size()));
        QCOMPARE(bytes_at(b, 21, m.bitmap_file.size()), m.bitmap_file);
        QCOMPARE(bytes_at(b, 21 + m.bitmap_file.size(), 255 - m.bitmap_file.size()),
                 QByteArray(255 - m.bitmap_file.size(), '\0'));
        QCOMPARE(int32_at(b, 276), 3);
        QCOMPARE(bytes_at(b, 280, 4), QByteArray("\x44\x33\x22\x11", 4));
        QCOMPARE(int32_at(b, 284), 255);
        QCOMPARE(int32_at(b, 288), -100);
        QCOMPARE(int32_at(b, 292), 0x0A0B0C0D);
        QCOMPARE(bytes_at(b, 296, 4), QByteArray("\x01\0\0\0", 4));
        QCOMPARE(bytes_at(b, 300, 4), QByteArray("\xFF\xFF\xFF\xFF", 4));

        QCOMPARE(Morphology::from_bytes(b.constData()), m);
    }

    void the_path_is_as_long_as_its_length_byte()
    {
        QByteArray b = from_bitmap().to_bytes();
        b[20] = 3;
        b[24] = 'x'; // past the length: not part of the path
        QCOMPARE(Morphology::from_bytes(b.constData()).bitmap_file, QByteArray("/ho"));

        // A path of 255 bytes fills its field up to the next one.
        b[20] = '\xFF';
        for (int i = 0; i < 255; ++i) b[21 + i] = char('A' + i % 26);
        const Morphology full = Morphology::from_bytes(b.constData());
        QCOMPARE(full.bitmap_file, b.mid(21, 255));
        QCOMPARE(full.main_color, 2);
        QCOMPARE(full.to_bytes(), b);
    }

    void long_paths_are_cut_to_255_bytes()
    {
        Morphology m = from_bitmap();
        m.bitmap_file = QByteArray(300, 'p');
        QByteArray b = m.to_bytes();
        QCOMPARE(b.size(), 304);
        QCOMPARE(static_cast<std::uint8_t>(b[20]), std::uint8_t(255));
        QCOMPARE(Morphology::from_bytes(b.constData()).bitmap_file, QByteArray(255, 'p'));
        QCOMPARE(int32_at(b, 276), 2); // the path did not run into the next field

        m.bitmap_file = QByteArray(255, 'q');
        QCOMPARE(Morphology::from_bytes(m.to_bytes().constData()).bitmap_file, QByteArray(255, 'q'));

        // The cut never splits a character of the 8-bit encoding.
        const QString name = QString(254, QLatin1Char('d')) + QChar(0x00E9) + QStringLiteral(".bmp");
        m.bitmap_file = name.toLocal8Bit();
        QVERIFY(m.bitmap_file.size() > 255);
        const QByteArray stored = Morphology::from_bytes(m.to_bytes().constData()).bitmap_file;
        QVERIFY(stored.size() <= 255);
        QVERIFY(name.startsWith(QString::fromLocal8Bit(stored)));
        QCOMPARE(QString::fromLocal8Bit(stored).toLocal8Bit(), stored);
    }

    void flat_source_copies_the_heights_only()
    {
        Morphology destination = flat({1, 2, 3, 4});
        QVERIFY(!assign_morphology(flat({1, 2, 3, 4}), destination));
        QCOMPARE(destination, flat({1, 2, 3, 4}));

        for (int corner = 0; corner < 4; ++corner) {
            Morphology source = flat({1, 2, 3, 4});
            source.edge_heights[corner] = -9;
            destination = flat({1, 2, 3, 4});
            QVERIFY(assign_morphology(source, destination));
            QCOMPARE(destination.edge_heights, source.edge_heights);
        }

        // Into a bitmap-mode object: a change even with the same heights,
        // and the bitmap settings stay for a later switch back.
        const Morphology bitmap = from_bitmap();
        destination = bitmap;
        destination.edge_heights = {5, 6, 7, 8};
        QVERIFY(assign_morphology(flat({5, 6, 7, 8}), destination));
        Morphology expected = bitmap;
        expected.flat_surface = 1;
        expected.edge_heights = {5, 6, 7, 8};
        QCOMPARE(destination, expected);

        // The source's own bitmap fields are not copied.
        Morphology source = from_bitmap();
        source.flat_surface = 1;
        source.bitmap_file = "other.bmp";
        destination = flat({0, 0, 0, 0});
        QVERIFY(!assign_morphology(source, destination));
        QCOMPARE(destination, flat({0, 0, 0, 0}));
    }

    void bitmap_source_copies_the_bitmap_fields()
    {
        const Morphology source = from_bitmap();

        // From a flat object: a change, and its corner heights stay.
        Morphology destination = flat({1, 2, 3, 4});
        QVERIFY(assign_morphology(source, destination));
        Morphology expected = source;
        expected.edge_heights = {1, 2, 3, 4};
        QCOMPARE(destination, expected);

        // The same settings again: no change.
        QVERIFY(!assign_morphology(source, destination));
        QCOMPARE(destination, expected);

        // Any one copied field that differs is a change.
        const QList<std::function<void(Morphology&)>> edits = {
            [](Morphology& m) { m.bitmap_file = "/home/me/hills.bmp2"; },
            [](Morphology& m) { m.bitmap_file = "/home/me/hills.bm"; },
            [](Morphology& m) { m.main_color = 3; },
            [](Morphology& m) { m.min_color_value = 11; },
            [](Morphology& m) { m.max_color_value = 199; },
            [](Morphology& m) { m.min_color_height = 5; },
            [](Morphology& m) { m.max_color_height = -40; },
            [](Morphology& m) { m.clip_enabled = 0; },
            [](Morphology& m) { m.clip_height = 8; },
        };
        for (int i = 0; i < edits.size(); ++i) {
            Morphology changed = source;
            edits[i](changed);
            Morphology target = source;
            QVERIFY2(assign_morphology(changed, target), qPrintable(QString::number(i)));
            QCOMPARE(target, changed);
        }

        // Any flat_surface other than 1 is bitmap mode.
        Morphology odd = source;
        odd.flat_surface = 2;
        destination = flat({0, 0, 0, 0});
        QVERIFY(assign_morphology(odd, destination));
        QCOMPARE(destination.flat_surface, std::uint8_t(0));
    }

    void clip_height_counts_only_while_clipping()
    {
        Morphology source = from_bitmap();
        source.clip_enabled = 0;
        source.clip_height = 99;

        Morphology destination = from_bitmap();
        destination.clip_enabled = 0;
        destination.clip_height = 3;
        QVERIFY(!assign_morphology(source, destination));
        QCOMPARE(destination.clip_height, 3);

        // Switching clipping off is a change, the old height stays.
        destination.clip_enabled = 1;
        QVERIFY(assign_morphology(source, destination));
        QCOMPARE(destination.clip_enabled, std::uint8_t(0));
        QCOMPARE(destination.clip_height, 3);

        // With clipping on the height is copied and compared.
        source.clip_enabled = 1;
        QVERIFY(assign_morphology(source, destination));
        QCOMPARE(destination.clip_enabled, std::uint8_t(1));
        QCOMPARE(destination.clip_height, 99);
        QVERIFY(!assign_morphology(source, destination));
        destination.clip_height = 98;
        QVERIFY(assign_morphology(source, destination));
        QCOMPARE(destination.clip_height, 99);
    }
};

QTEST_GUILESS_MAIN(TestMorphology)
#include "test_morphology.moc"

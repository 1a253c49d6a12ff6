// The sample drawings: whole, as described in the README, their bitmap
// found from the repository's root, and written again byte for byte by
// make_examples (so a change to it or to the format is not left unapplied).
#include "files/drawing_reader.h"
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray bytes_of(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

DrawingContents sample(const QString& name)
{
    return read_drawing(bytes_of(QStringLiteral(EXAMPLES_ROOT "/examples/") + name));
}

bool make_examples(const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QStringLiteral(MAKE_EXAMPLES), arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

class TestExamples : public QObject {
    Q_OBJECT
private slots:
    void every_sample_reads_whole()
    {
        for (const char* name : {"pyramid.sdf", "tilted-text.sdf", "dome.sdf", "house.sdf", "rings.sdf"}) {
            const DrawingContents drawing = sample(QString::fromLatin1(name));
            QVERIFY2(drawing.header.has_value(), name);
            QVERIFY2(drawing.problem == ReadProblem::None, name);
            QCOMPARE(drawing.entries.size(), drawing.header->object_count);
        }
    }

    void the_pyramid_steps_up_inwards()
    {
        const DrawingContents pyramid = sample(QStringLiteral("pyramid.sdf"));
        QCOMPARE(pyramid.entries.size(), 5);
        for (qsizetype i = 0; i < pyramid.entries.size(); ++i) {
            const ShapeRecord& r = pyramid.entries[i].record;
            QCOMPARE(r.morphology.flat_surface, 1);
            const auto h = r.morphology.edge_heights;
            QVERIFY(h[0] == h[1] && h[1] == h[2] && h[2] == h[3]);
            if (i == 0) continue;
            const ShapeRecord& below = pyramid.entries[i - 1].record;
            QVERIFY(h[0] > below.morphology.edge_heights[0]);
            QVERIFY(QRect(below.left, below.top, below.width, below.height)
                        .contains(QRect(r.left, r.top, r.width, r.height)));
        }
    }

    void the_text_leans_on_one_plane()
    {
        const DrawingContents text = sample(QStringLiteral("tilted-text.sdf"));
        QCOMPARE(text.entries.size(), 1);
        const Morphology& m = text.entries[0].record.morphology;
        QCOMPARE(m.flat_surface, 1);
        const auto h = m.edge_heights; // top left, top right, bottom left, bottom right
        QCOMPARE(QSet<int>({h[0], h[1], h[2], h[3]}).size(), 4);
        QCOMPARE(h[0] + h[3], h[1] + h[2]);
    }

    void the_dome_bitmap_is_found_from_the_repository_root()
    {
        for (const QString& name : {QStringLiteral("dome.sdf"), QStringLiteral("rings.sdf")}) {
            const DrawingContents drawing = sample(name);
            const Morphology& m = drawing.entries.last().record.morphology;
            QCOMPARE(m.flat_surface, 0);
            QCOMPARE(m.bitmap_file, QByteArray("examples/dome.bmp"));
            const QImage bitmap(QDir(QStringLiteral(EXAMPLES_ROOT)).filePath(QString::fromLocal8Bit(m.bitmap_file)));
            QVERIFY(!bitmap.isNull());
            // Bright in the middle, dark at the corner: a dome, not a hole.
            QVERIFY(qGreen(bitmap.pixel(64, 64)) > 200);
            QCOMPARE(qGreen(bitmap.pixel(0, 0)), 0);
        }
    }

    void make_examples_writes_the_committed_files_and_names_the_bitmap_folder_given()
    {
        QTemporaryDir dir;
        QVERIFY(make_examples({dir.path()}));
        // The text's glyphs depend on the fonts installed, so it is left out.
        for (const char* name : {"pyramid.sdf", "dome.sdf", "dome.bmp", "house.sdf", "rings.sdf", "knot.obj"})
            QVERIFY2(bytes_of(dir.filePath(QString::fromLatin1(name)))
                         == bytes_of(QStringLiteral(EXAMPLES_ROOT "/examples/") + QString::fromLatin1(name)),
                     name);

        // An installed copy names its bitmap by the folder it is installed into.
        QTemporaryDir installed;
        QVERIFY(make_examples({installed.path(), QStringLiteral("/usr/share/dioramix/examples")}));
        const DrawingContents dome = read_drawing(bytes_of(installed.filePath(QStringLiteral("dome.sdf"))));
        QCOMPARE(dome.entries.last().record.morphology.bitmap_file, QByteArray("/usr/share/dioramix/examples/dome.bmp"));
    }
};

QTEST_GUILESS_MAIN(TestExamples)
#include "test_examples.moc"

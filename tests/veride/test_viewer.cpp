// The result window: saving the stereogram and its depth map, the folder
// proposed, failures reported, and the fitted view.
#include "height_grid.h"
#include "veride/library_ui.h"
#include "veride/render_progress.h"
#include "veride/viewer.h"
#include <QApplication>
#include <QCheckBox>
#include <QProgressDialog>
#include <QDir>
#include <QImageReader>
#include <QQueue>
#include <QLabel>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>

namespace {

RenderResult small_render()
{
    RenderSettings s;
    s.width_mm = 100;
    HeightGrid grid(240, 60, -20);
    for (int y = 20; y < 40; ++y)
        for (int x = 100; x < 140; ++x) grid.row(y)[x] = 50;
    return render_depth_map(grid.map(), s, 4);
}

QProgressDialog* shown_progress()
{
    return qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
}

} // namespace

class TestViewer : public QObject {
    Q_OBJECT
private slots:
    void saving_writes_the_images_and_reports_failures()
    {
        QTemporaryDir dir;
        QStringList messages, proposed;
        QQueue<QString> answers;
        veride::message_seam().replace([&](QWidget*, const QString& text) { messages << text; });
        veride::save_path_seam().replace([&](QWidget*, const QString&, const QString& path, const QString&) {
            proposed << path;
            return answers.isEmpty() ? QString() : answers.dequeue();
        });

        const RenderResult result = small_render();
        QVERIFY(result.ok());
        StereogramViewer viewer(result, QStringLiteral("housestereo1"));
        QCOMPARE(viewer.windowTitle(), QStringLiteral("housestereo1"));
        QVERIFY(viewer.info_text().startsWith(QLatin1String("240 x 60 pixels, separations ")));

        answers << dir.filePath("one.png") << dir.filePath("two.bmp") << dir.filePath("three");
        viewer.save_stereogram();
        viewer.save_stereogram();
        viewer.save_stereogram();
        QVERIFY(proposed[0].endsWith(QLatin1String("/housestereo1.png")));
        QCOMPARE(proposed[1], dir.filePath("housestereo1.png")); // the folder last saved to
        const QImage expected = result.stereogram.convertToFormat(QImage::Format_RGB32);
        QCOMPARE(QImage(dir.filePath("one.png")).convertToFormat(QImage::Format_RGB32), expected);
        QCOMPARE(QImage(dir.filePath("two.bmp")).convertToFormat(QImage::Format_RGB32), expected);
        QCOMPARE(QImageReader(dir.filePath("two.bmp")).format(), QByteArray("bmp"));
        QCOMPARE(QImage(dir.filePath("three.png")).convertToFormat(QImage::Format_RGB32), expected);

        answers << dir.filePath("depth.png");
        viewer.save_depth_map();
        const QImage depth(dir.filePath("depth.png"));
        QVERIFY(depth.isGrayscale());
        QCOMPARE(qGray(depth.pixel(120, 30)), 255); // the raised box, nearest
        QCOMPARE(qGray(depth.pixel(5, 5)), 0);

        // Cancelled: nothing; unwritable: said, and the folder is not remembered.
        viewer.save_stereogram();
        answers << QStringLiteral("/nonexistent/folder/x.png");
        viewer.save_stereogram();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains(QLatin1String("/nonexistent/folder/x.png")));
        QCOMPARE(StereogramViewer::save_folder(), dir.path());

        veride::message_seam().replace({});
        veride::save_path_seam().replace({});
    }

    void a_long_render_shows_its_progress_and_cancel_stops_it()
    {
        // A render that reports progress row by row until it is cancelled;
        // the progress bar's Cancel is pressed once the bar shows.
        bool shown = false;
        auto slow = [&](const RenderControl& control) {
            RenderResult result;
            int rows = 0;
            result.cancelled = QTest::qWaitFor([&] {
                control.poll(++rows);
                if (auto* progress = shown_progress()) {
                    shown = true;
                    progress->cancel();
                }
                return control.cancel->load();
            }, 10000);
            return result;
        };
        QVERIFY(render_with_progress(QStringLiteral("slow"), 100000, nullptr, slow).cancelled);
        QVERIFY(shown);

        // A quick render's progress reports show no bar.
        const RenderResult quick = render_with_progress(QStringLiteral("quick"), 10, nullptr, [&](const RenderControl& control) {
            control.poll(1);
            shown = shown_progress() != nullptr;
            return small_render();
        });
        QVERIFY(!quick.cancelled && !quick.stereogram.isNull());
        QVERIFY(!shown);
    }

    void the_view_fits_the_window_on_request()
    {
        StereogramViewer viewer(small_render(), QStringLiteral("x"));
        viewer.resize(200, 200);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        auto* scroll = viewer.findChild<QScrollArea*>();
        auto* picture = qobject_cast<QLabel*>(scroll->widget());
        QCOMPARE(picture->pixmap().width(), 240); // 1:1
        viewer.set_fit_to_window(true);
        QVERIFY(viewer.findChild<QCheckBox*>()->isChecked());
        // As large as the view allows, in proportion.
        const QSize room = scroll->viewport()->size(), fitted = picture->pixmap().size();
        QVERIFY(fitted.width() <= room.width() && fitted.height() <= room.height());
        QVERIFY(fitted.width() == room.width() || fitted.height() == room.height());
        QVERIFY(fitted != QSize(240, 60));
        viewer.set_fit_to_window(false);
        QCOMPARE(picture->pixmap().width(), 240);
    }
};

QTEST_MAIN(TestViewer)
#include "test_viewer.moc"

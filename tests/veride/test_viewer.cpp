// The result window: saving the stereogram and its depth map, the folder
// proposed, failures reported, the fitted view, the picture options that
// render again and are remembered, and printing at the panel's size.
#include "core/configuration.h"
#include "core/settings_table.h"
#include "height_grid.h"
#include "platform/printer.h"
#include "platform/registry.h"
#include "support/full_disk.h"
#include "veride/guides.h"
#include "veride/library_ui.h"
#include "veride/render_progress.h"
#include "veride/viewer.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QQueue>
#include <QScrollArea>
#include <QSet>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTransform>
#include <cstring>

namespace {

RenderInputs small_inputs()
{
    RenderInputs inputs;
    inputs.settings.width_mm = 100;
    inputs.settings.height_mm = 25;
    HeightGrid grid(240, 60, -20);
    for (int y = 20; y < 40; ++y)
        for (int x = 100; x < 140; ++x) grid.row(y)[x] = 50;
    inputs.depth = grid.map();
    inputs.seed = 4;
    return inputs;
}

RenderResult small_render()
{
    return render_inputs(small_inputs(), {});
}

QProgressDialog* shown_progress()
{
    return qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
}

RegistryKey store(bool create = false)
{
    return RegistryKey(QString::fromLatin1(configuration_key_path), create);
}

// A tile drawn here: stripes of four colours.
QString write_tile(const QTemporaryDir& dir)
{
    QImage tile(24, 24, QImage::Format_RGB888);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) tile.setPixelColor(x, y, QColor::fromHsv((x / 6) * 90, 200, 100 + 6 * y));
    const QString path = dir.filePath("tile.png");
    return tile.save(path) ? path : QString();
}

// Where a PDF's first image lands on its page, in points, from the content
// stream's transforms (an image fills the unit square of its transform).
QSizeF placed_image_size(const QString& pdf)
{
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    for (qsizetype at = bytes.indexOf(">>\nstream\n"); at >= 0; at = bytes.indexOf(">>\nstream\n", at)) {
        at += 10;
        const qsizetype end = bytes.indexOf("endstream", at);
        // qUncompress wants the size first; a guess is enough.
        const QByteArray content = qUncompress(QByteArray::fromHex("00100000") + bytes.mid(at, end - at));
        if (!content.contains(" Do")) continue;
        QList<QTransform> saved;
        QTransform ctm;
        QList<double> numbers;
        for (const QByteArray& token : content.simplified().split(' ')) {
            bool number = false;
            const double value = token.toDouble(&number);
            if (number) {
                numbers << value;
                continue;
            }
            if (token == "q") saved << ctm;
            if (token == "Q" && !saved.isEmpty()) ctm = saved.takeLast();
            if (token == "cm" && numbers.size() >= 6) {
                const QList<double> n = numbers.mid(numbers.size() - 6);
                ctm = QTransform(n[0], n[1], n[2], n[3], n[4], n[5]) * ctm;
            }
            if (token == "Do") return ctm.mapRect(QRectF(0, 0, 1, 1)).size();
            numbers.clear();
        }
    }
    return {};
}

} // namespace

class TestViewer : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QFile::remove(qEnvironmentVariable("DIORAMIX_REGISTRY"));
    }

    void cleanup()
    {
        veride::message_seam().replace({});
        veride::save_path_seam().replace({});
        veride::open_path_seam().replace({});
        platform::print_dialog_seam().replace({});
    }

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
        StereogramViewer viewer(small_inputs(), {}, result, QStringLiteral("housestereo1"));
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

        // Guide marks: the strip goes above the saved picture, the view is not rendered again.
        viewer.findChild<QCheckBox*>(QStringLiteral("guides_check"))->click();
        QCOMPARE(viewer.stereogram(), result.stereogram);
        answers << dir.filePath("guided.png");
        viewer.save_stereogram();
        const QImage guided(dir.filePath("guided.png"));
        QCOMPARE(guided.convertToFormat(QImage::Format_RGB32),
                 picture_with_guides(result.stereogram, result.zero_separation).convertToFormat(QImage::Format_RGB32));
        QVERIFY(guided.height() > 60);

        // The layout: Save As writes the pair, without guide marks, which only a stereogram has.
        auto* layout = viewer.findChild<QComboBox*>(QStringLiteral("layout_combo"));
        layout->setCurrentIndex(1);
        emit layout->activated(1);
        PictureOptions pair;
        pair.layout = PictureLayout::Pair;
        QCOMPARE(viewer.stereogram(), render_inputs(small_inputs(), pair).stereogram);
        QVERIFY(!viewer.findChild<QCheckBox*>(QStringLiteral("guides_check"))->isEnabled());
        answers << dir.filePath("pair.png");
        viewer.save_stereogram();
        QCOMPARE(QImage(dir.filePath("pair.png")).size(), QSize(480, 60));

        // Cancelled: nothing; unwritable: said, and the folder is not remembered.
        viewer.save_stereogram();
        answers << QStringLiteral("/nonexistent/folder/x.png");
        viewer.save_stereogram();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains(QLatin1String("/nonexistent/folder/x.png")));
        QCOMPARE(StereogramViewer::save_folder(), dir.path());
    }

    void a_save_that_does_not_fit_on_the_disk_leaves_the_old_picture()
    {
        FullDisk disk;
        if (!disk.mounted()) QSKIP(qPrintable(disk.why_not()));
        const QString path = disk.filePath(QStringLiteral("old.png"));
        QImage small(20, 10, QImage::Format_RGB888);
        small.fill(Qt::darkCyan);
        QVERIFY(small.save(path));
        QFile old(path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        const QByteArray before = old.readAll();
        old.close();
        QVERIFY(disk.fill());
        QStringList messages;
        veride::message_seam().replace([&](QWidget*, const QString& text) { messages << text; });
        veride::save_path_seam().replace([&](QWidget*, const QString&, const QString&, const QString&) { return path; });

        StereogramViewer viewer(small_inputs(), {}, small_render(), QStringLiteral("housestereo1"));
        viewer.save_stereogram();
        viewer.save_depth_map();
        const QString no_space = QString::fromLocal8Bit(std::strerror(ENOSPC));
        QCOMPARE(messages, QStringList({QStringLiteral("The stereogram cannot be saved to %1: %2").arg(path, no_space),
                                        QStringLiteral("The depth map cannot be saved to %1: %2").arg(path, no_space)}));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), before);
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"filler", "old.png"}));
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
        StereogramViewer viewer(small_inputs(), {}, small_render(), QStringLiteral("x"));
        viewer.resize(200, 200);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        auto* scroll = viewer.findChild<QScrollArea*>();
        auto* picture = qobject_cast<QLabel*>(scroll->widget());
        QCOMPARE(picture->pixmap().width(), 240); // 1:1
        viewer.set_fit_to_window(true);
        QVERIFY(viewer.findChild<QCheckBox*>(QStringLiteral("fit_check"))->isChecked());
        // As large as the view allows, in proportion.
        const QSize room = scroll->viewport()->size(), fitted = picture->pixmap().size();
        QVERIFY(fitted.width() <= room.width() && fitted.height() <= room.height());
        QVERIFY(fitted.width() == room.width() || fitted.height() == room.height());
        QVERIFY(fitted != QSize(240, 60));
        viewer.set_fit_to_window(false);
        QCOMPARE(picture->pixmap().width(), 240);
    }

    void the_picture_options_render_again_and_are_remembered()
    {
        QTemporaryDir dir;
        const QString tile_path = write_tile(dir);
        QStringList messages;
        QQueue<QString> answers;
        veride::message_seam().replace([&](QWidget*, const QString& text) { messages << text; });
        veride::open_path_seam().replace(
            [&](QWidget*, const QString&, const QString&, const QString&) { return answers.isEmpty() ? QString() : answers.dequeue(); });

        // A fresh store: the picture of before, and nothing written by reading.
        const StoredPicture fresh = read_picture_settings();
        const PictureOptions defaults;
        QCOMPARE(fresh.options.pattern, defaults.pattern);
        QCOMPARE(fresh.options.colors, defaults.colors);
        QCOMPARE(fresh.options.oversample, defaults.oversample);
        QVERIFY(!fresh.options.cross_eyed && !fresh.options.guides && !fresh.options.tile_own_size);
        QVERIFY(!QFile::exists(qEnvironmentVariable("DIORAMIX_REGISTRY")));

        const RenderInputs inputs = small_inputs();
        StereogramViewer viewer(inputs, fresh, render_inputs(inputs, fresh.options), QStringLiteral("x"));
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        auto* pattern = viewer.findChild<QComboBox*>(QStringLiteral("pattern_combo"));
        auto* colors = viewer.findChild<QSpinBox*>(QStringLiteral("colors_box"));
        auto* own_size = viewer.findChild<QCheckBox*>(QStringLiteral("keep_tile_size_check"));
        QVERIFY(!colors->isEnabled() && !own_size->isEnabled());
        const auto choose = [&](int index) {
            pattern->setCurrentIndex(index);
            emit pattern->activated(index);
        };
        // The picture on view is the inputs rendered with the window's options.
        const auto shows = [&](const PictureOptions& options) {
            return viewer.stereogram() == render_inputs(inputs, options).stereogram;
        };

        PictureOptions expected;
        choose(1);
        expected.pattern = PatternKind::ColorDots;
        QVERIFY(colors->isEnabled());
        colors->setValue(16);
        expected.colors = 16;
        QVERIFY(shows(expected));
        QVERIFY(!shows({}));
        QCOMPARE(store().read_dword("render_pattern"), 1);
        QCOMPARE(store().read_dword("render_colors"), 16);

        // Image...: a file is asked for; cancelled or unreadable, nothing changes.
        choose(2);
        QCOMPARE(pattern->currentIndex(), 1);
        QFile junk(dir.filePath("junk.png"));
        QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("not a picture") > 0);
        junk.close();
        answers << junk.fileName();
        choose(2);
        QCOMPARE(pattern->currentIndex(), 1);
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains(junk.fileName()));
        QVERIFY(shows(expected));

        answers << tile_path;
        choose(2);
        expected.pattern = PatternKind::Image;
        expected.tile = QImage(tile_path);
        QVERIFY(shows(expected));
        QVERIFY(viewer.stereogram().pixelColor(0, 0) != Qt::black && viewer.stereogram().pixelColor(0, 0) != Qt::white);
        QVERIFY(own_size->isEnabled() && !colors->isEnabled());
        QCOMPARE(viewer.findChild<QLabel*>(QStringLiteral("tile_label"))->text(), QStringLiteral("tile.png"));
        own_size->click();
        expected.tile_own_size = true;
        viewer.findChild<QSpinBox*>(QStringLiteral("oversample_box"))->setValue(3);
        expected.oversample = 3;
        viewer.findChild<QCheckBox*>(QStringLiteral("cross_eyed_check"))->click();
        expected.cross_eyed = true;
        QVERIFY(shows(expected));
        QCOMPARE(store().read_dword("render_pattern"), 2);
        QCOMPARE(store().read_string("render_pattern_image"), tile_path);
        QCOMPARE(store().read_dword("render_keep_tile_size"), 1);
        QCOMPARE(store().read_dword("render_oversample"), 3);
        QCOMPARE(store().read_dword("render_cross_eyed"), 1);
        QCOMPARE(messages.size(), 1);

        // The next render starts from the stored options, and its window shows them.
        const StoredPicture stored = read_picture_settings();
        QCOMPARE(stored.tile_path, tile_path);
        QCOMPARE(render_inputs(inputs, stored.options).stereogram, viewer.stereogram());
        StereogramViewer next(inputs, stored, render_inputs(inputs, stored.options), QStringLiteral("y"));
        QCOMPARE(next.findChild<QComboBox*>(QStringLiteral("pattern_combo"))->currentIndex(), 2);
        QCOMPARE(next.findChild<QSpinBox*>(QStringLiteral("colors_box"))->value(), 16);
        QCOMPARE(next.findChild<QSpinBox*>(QStringLiteral("oversample_box"))->value(), 3);
        QVERIFY(next.findChild<QCheckBox*>(QStringLiteral("cross_eyed_check"))->isChecked());
    }

    void enter_in_an_option_box_applies_it_and_presses_nothing()
    {
        QTemporaryDir dir;
        QStringList proposed;
        veride::save_path_seam().replace([&](QWidget*, const QString&, const QString& path, const QString&) {
            proposed << path;
            return QString();
        });
        StoredPicture picture;
        picture.options.pattern = PatternKind::ColorDots;
        RenderInputs inputs = small_inputs();
        inputs.drawing_folder = dir.path();
        StereogramViewer viewer(inputs, picture, render_inputs(inputs, picture.options), QStringLiteral("x"));
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        auto* colors = viewer.findChild<QSpinBox*>(QStringLiteral("colors_box"));
        colors->setFocus();
        colors->selectAll();
        QTest::keyClicks(colors, QStringLiteral("9"));
        QTest::keyClick(colors, Qt::Key_Return);
        QCOMPARE(viewer.picture().options.colors, 9);
        QCOMPARE(proposed, QStringList());
        QVERIFY(viewer.isVisible());

        // Saving starts in the drawing's folder.
        viewer.save_stereogram();
        QCOMPARE(proposed, QStringList{dir.filePath(QStringLiteral("x.png"))});
    }

    void bad_stored_options_give_the_defaults()
    {
        QTemporaryDir dir;
        {
            RegistryKey key = store(true);
            key.write_dword("render_pattern", 7);
            key.write_dword("render_colors", 1000);
            key.write_dword("render_oversample", 0);
            key.write_string("render_cross_eyed", "yes");
            key.write_dword("render_guides", 1);
        }
        QString problem;
        StoredPicture picture = read_picture_settings(&problem);
        QCOMPARE(picture.options.pattern, PatternKind::Dots);
        QCOMPARE(picture.options.colors, 2);
        QCOMPARE(picture.options.oversample, 1);
        QVERIFY(!picture.options.cross_eyed);
        QVERIFY(picture.options.guides); // good values stay
        QVERIFY(problem.isEmpty());

        // An image pattern whose file is gone: random dots, and why.
        {
            RegistryKey key = store(true);
            key.write_dword("render_pattern", 2);
            key.write_string("render_pattern_image", dir.filePath("gone.png"));
        }
        picture = read_picture_settings(&problem);
        QCOMPARE(picture.options.pattern, PatternKind::Dots);
        QVERIFY(picture.options.tile.isNull());
        QVERIFY(problem.contains(dir.filePath("gone.png")));
        const RenderInputs inputs = small_inputs();
        QVERIFY(render_inputs(inputs, picture.options).ok());

        // The tile follows its file: made, replaced, removed.
        for (const int side : {8, 12}) {
            QImage tile(side, side, QImage::Format_RGB888);
            tile.fill(Qt::red);
            QVERIFY(tile.save(dir.filePath("gone.png")));
            QCOMPARE(read_picture_settings().options.tile.size(), QSize(side, side));
        }
        QVERIFY(QFile::remove(dir.filePath("gone.png")));
        QVERIFY(read_picture_settings().options.tile.isNull());
    }

    void each_pattern_has_its_own_stored_value_and_option()
    {
        QSet<std::int32_t> stored;
        QSet<QString> options;
        int unspelled = 0;
        for (const PatternRow& row : pattern_rows()) {
            QVERIFY(!stored.contains(row.stored));
            stored << row.stored;
            QCOMPARE(pattern_stored_as(row.stored), &row);
            QCOMPARE(&pattern_row(row.kind), &row);
            QVERIFY(row.make && !pattern_label(row).isEmpty());
            if (!row.cli.name) {
                // Chosen when the command line names no pattern: the default one.
                ++unspelled;
                QCOMPARE(row.kind, PictureOptions().pattern);
                continue;
            }
            QVERIFY(row.cli.check && row.cli.apply && row.cli.value_name && row.cli.help);
            for (const char* name : {row.cli.name, row.cli.switch_name}) {
                if (!name) continue;
                QVERIFY(!options.contains(QLatin1String(name)));
                options << QLatin1String(name);
            }
        }
        QCOMPARE(unspelled, 1);
        // A store without the value gives the default options' pattern.
        const SettingRow& setting = setting_named("render_pattern");
        QCOMPARE(pattern_stored_as(std::get<std::int32_t>(setting.fixed))->kind, PictureOptions().pattern);
    }

    void printing_puts_the_picture_on_paper_at_the_panels_size()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("printed.pdf");
        bool asked = false, print = false;
        platform::print_dialog_seam().replace([&](QPrinter& printer, QWidget*) {
            asked = true;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setResolution(600);
            return print;
        });
        const RenderResult result = small_render();
        StereogramViewer viewer(small_inputs(), {}, result, QStringLiteral("x"));
        auto* button = viewer.findChild<QPushButton*>(QStringLiteral("print_button"));
        QCOMPARE(button->text(), QStringLiteral("Print..."));

        button->click(); // the dialog cancelled
        QVERIFY(asked);
        QVERIFY(!QFile::exists(pdf));

        // The panel's 100 x 25 mm, in points.
        print = true;
        button->click();
        QSizeF size = placed_image_size(pdf);
        QVERIFY2(qAbs(size.width() - 100 / 25.4 * 72) < 0.01, qPrintable(QString::number(size.width())));
        QVERIFY2(qAbs(size.height() - 25 / 25.4 * 72) < 0.01, qPrintable(QString::number(size.height())));

        // A panel made at the printer's 600 dpi (240 x 60 pixels make 10 x 2 whole
        // millimetres) prints dot for dot: 0.4 x 0.1 inches.
        RenderInputs fine = small_inputs();
        fine.settings.width_mm = 10;
        fine.settings.height_mm = 2;
        StereogramViewer dot_for_dot(fine, {}, result, QStringLiteral("x"));
        dot_for_dot.findChild<QPushButton*>(QStringLiteral("print_button"))->click();
        size = placed_image_size(pdf);
        QVERIFY2(qAbs(size.width() - 0.4 * 72) < 0.01, qPrintable(QString::number(size.width())));
        QVERIFY2(qAbs(size.height() - 0.1 * 72) < 0.01, qPrintable(QString::number(size.height())));
    }
};

QTEST_MAIN(TestViewer)
#include "test_viewer.moc"

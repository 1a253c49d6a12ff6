// The live preview, driven through the real main window: F5 shows it, every
// kind of change of the active drawing gives a new picture, bursts coalesce
// and closing a drawing while it renders is safe.
#include "app/preview_dock.h"
#include "app/preview_renderer.h"
#include "core/shape.h"
#include "core/configuration.h"
#include "document/drawing_window.h"
#include "platform/registry.h"
#include "support/program.h"
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <sys/stat.h>

namespace {

// Waits until the preview has nothing left to do.
bool settled(Program& program)
{
    return QTest::qWaitFor([&] { return !program.main->preview_renderer->busy() && !program.main->preview_pending(); });
}

} // namespace

class TestPreview : public QObject {
    Q_OBJECT
private slots:
    void init() { QFile::remove(qEnvironmentVariable("DIORAMIX_REGISTRY")); }

    void f5_shows_a_preview_that_follows_every_change()
    {
        Program program;
        MainWindow& main = *program.main;
        PreviewDock& dock = *main.preview_dock;
        QVERIFY(dock.isHidden());
        QTest::keyClick(&main, Qt::Key_F5);
        QVERIFY(dock.isVisible());
        QVERIFY(main.live_preview_action->isChecked());
        QCOMPARE(main.dockWidgetArea(&dock), Qt::RightDockWidgetArea);
        QVERIFY(dock.shown().isNull());

        DrawingWindow* drawing = program.new_drawing();
        QTRY_VERIFY(!dock.shown().isNull());
        QCOMPARE(dock.shown().width(), 400);
        Shape* shape = nullptr;
        DrawingWindow* second = nullptr;
        DrawingWindow* opened = nullptr;
        const QList<std::pair<const char*, std::function<void()>>> changes = {
            {"draw", [&] { shape = program.draw_rectangle(drawing, QRect(50, 50, 120, 80)); }},
            {"move", [&] { drawing->move_shape(shape, 60, 60); }},
            {"resize", [&] { drawing->resize_shape(shape, 100, 70); }},
            {"crop", [&] { drawing->crop_shape(shape, 5, 5, 5, 5); }},
            {"rotate", [&] { drawing->rotate_shape(shape, 1, 1, 0.5, 0.8660254); }},
            {"configuration", [&] {
                 program.ui.modal_answers.enqueue([](QDialog&) { return int(QDialog::Rejected); });
                 main.configuration_action->trigger();
             }},
            {"undo", [&] { main.undo_action->trigger(); }},
            {"redo", [&] { main.redo_action->trigger(); }},
            {"copy and paste", [&] {
                 drawing->select_shape(drawing->shapes.constFirst()); // undo and redo rebuilt it
                 main.copy_action->trigger();
                 main.paste_action->trigger();
             }},
            {"recolour", [&] { main.recolor_active_drawing(0x123456, 0x654321); }},
            {"another drawing", [&] { second = program.new_drawing(); }},
            {"open", [&] {
                 program.ui.file_answers.enqueue(QStringLiteral(EXAMPLES_DIR "/pyramid.sdf"));
                 main.open_action->trigger();
                 opened = main.active_drawing();
             }},
            {"back again", [&] { main.activate_drawing(drawing); }},
            {"delete", [&] {
                 drawing->select_shape(drawing->shapes.constLast());
                 drawing->delete_shape();
             }},
        };
        for (const auto& [name, change] : changes) {
            QVERIFY(settled(program));
            const int before = dock.pictures_shown();
            change();
            QVERIFY2(QTest::qWaitFor([&] { return dock.pictures_shown() > before; }), name);
        }

        // The depth map instead, near is white.
        dock.depth_toggle()->setChecked(true);
        QCOMPARE(dock.shown().size(), QSize(400, 300));
        dock.depth_toggle()->setChecked(false);

        // Twenty moves in a row make at most a couple of renders.
        QVERIFY(settled(program));
        Shape* moved = drawing->shapes.constFirst();
        const int started = main.preview_renderer->renders_started();
        for (int i = 1; i <= 20; ++i) drawing->move_shape(moved, 60 + i, 60);
        QVERIFY(settled(program));
        QVERIFY(main.preview_renderer->renders_started() - started <= 2);

        // Closing drawings while they render, and the last one: a short text.
        for (DrawingWindow* closing : {opened, second, drawing}) {
            main.activate_drawing(closing);
            closing->mark_changed();
            QTRY_VERIFY(main.preview_renderer->busy() || !main.preview_pending());
            closing->modified = 0;
            main.close_action->trigger();
        }
        QVERIFY(settled(program));
        QVERIFY(dock.shown().isNull());

        // F5 again hides it.
        QTest::keyClick(&main, Qt::Key_F5);
        QVERIFY(dock.isHidden());
        QVERIFY(!main.live_preview_action->isChecked());
    }

    void a_drawing_whose_bitmap_is_a_fifo_still_shows_a_picture()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("bitmap.bmp"));
        if (::mkfifo(QFile::encodeName(fifo).constData(), 0600) != 0) QSKIP("no FIFO can be made here");
        Program program;
        MainWindow& main = *program.main;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_rectangle(drawing, QRect(50, 50, 120, 80));
        shape->morphology.flat_surface = 0;
        shape->morphology.bitmap_file = fifo.toLocal8Bit();
        program.ui.file_answers.enqueue(dir.filePath(QStringLiteral("fifo.sdf")));
        main.save_as_action->trigger();
        main.close_action->trigger();

        QTest::keyClick(&main, Qt::Key_F5);
        program.ui.file_answers.enqueue(dir.filePath(QStringLiteral("fifo.sdf")));
        main.open_action->trigger();
        QVERIFY(main.active_drawing());
        QTRY_VERIFY(!main.preview_dock->shown().isNull());
        QCOMPARE(main.preview_dock->shown().width(), 400);
    }

    void the_dock_opens_beside_the_drawings_showing_the_middle_of_the_picture()
    {
        Program program;
        MainWindow& main = *program.main;
        DrawingWindow* drawing = program.new_drawing();
        QMdiSubWindow* window = main.drawing_area->subWindowList().constFirst();
        window->setGeometry(QRect(QPoint(0, 0), main.drawing_area->viewport()->size())); // the whole area
        QTest::keyClick(&main, Qt::Key_F5);
        PreviewDock& dock = *main.preview_dock;
        QTRY_VERIFY(!dock.shown().isNull());

        // A third of the window at most, and the drawings' area ends where it begins.
        QTRY_VERIFY(dock.width() <= main.width() / 3);
        QVERIFY(dock.width() >= main.width() / 4);
        QVERIFY(main.drawing_area->geometry().right() < dock.geometry().left());
        // The drawing window moved back in: its title-bar buttons can be reached.
        QTRY_VERIFY(main.drawing_area->viewport()->rect().contains(window->geometry()));

        // A picture wider than the dock shows its middle ...
        QScrollBar* across = dock.scroll_area()->horizontalScrollBar();
        QTRY_VERIFY(across->maximum() > 0);
        QCOMPARE(across->value(), across->maximum() / 2);
        // ... keeps the place scrolled to while only its content changes ...
        across->triggerAction(QAbstractSlider::SliderToMinimum);
        const int before = dock.pictures_shown();
        program.draw_rectangle(drawing, QRect(50, 50, 120, 80));
        QTRY_VERIFY(dock.pictures_shown() > before);
        QVERIFY(settled(program));
        QCOMPARE(across->value(), 0);
        // ... and shows the middle again when the picture's size changes.
        program.ui.modal_answers.prepend(Program::panel_answer(900, 300));
        main.new_action->trigger();
        QTRY_VERIFY(dock.shown().width() == 900);
        QTRY_COMPARE(across->value(), across->maximum() / 2);
    }

    void a_drawing_opened_from_elsewhere_finds_its_bitmap_and_says_once_when_it_cannot()
    {
        // The sample names "examples/dome.bmp"; the program runs in a third
        // folder, where that path leads nowhere.
        QTemporaryDir dir;
        const QDir root(dir.path());
        for (const char* folder : {"run", "drawings", "lonely"}) QVERIFY(root.mkpath(QLatin1String(folder)));
        for (const char* name : {"drawings/dome.sdf", "drawings/dome.bmp", "lonely/dome.sdf"})
            QVERIFY(QFile::copy(QStringLiteral(EXAMPLES_DIR "/") + QFileInfo(QLatin1String(name)).fileName(),
                                root.filePath(QLatin1String(name))));
        const QString started_in = QDir::currentPath();
        QVERIFY(QDir::setCurrent(root.filePath(QStringLiteral("run"))));
        const auto back = qScopeGuard([&] { QDir::setCurrent(started_in); });

        Program program;
        MainWindow& main = *program.main;
        PreviewDock& dock = *main.preview_dock;
        QTest::keyClick(&main, Qt::Key_F5);
        dock.depth_toggle()->setChecked(true);
        program.ui.file_answers.enqueue(root.filePath(QStringLiteral("drawings/dome.sdf")));
        main.open_action->trigger();
        QVERIFY(settled(program));
        QCOMPARE(program.ui.message_texts(), QStringList());
        QCOMPARE(dock.warning(), QString());
        // The dome's top stands above the plinth round it.
        QVERIFY(qGray(dock.shown().pixel(400, 300)) > qGray(dock.shown().pixel(120, 80)));

        // The file dialogs start in the drawing's folder.
        main.save_as_action->trigger();
        QCOMPARE(main.save_dialog().start_folder, root.filePath(QStringLiteral("drawings")));
        QCOMPARE(main.save_dialog().file_name, QStringLiteral("dome.sdf"));

        // Without its bitmap: one message naming the object, and the preview says so too.
        program.ui.file_answers.enqueue(root.filePath(QStringLiteral("lonely/dome.sdf")));
        main.open_action->trigger();
        QCOMPARE(main.open_dialog().start_folder, root.filePath(QStringLiteral("drawings")));
        QCOMPARE(program.ui.messages.size(), 1);
        QVERIFY(program.ui.messages[0].text.contains(QLatin1String("dome: examples/dome.bmp")));
        QTRY_VERIFY(dock.warning().contains(QLatin1String("examples/dome.bmp")));
        QVERIFY(settled(program));
        QCOMPARE(program.ui.messages.size(), 1);
    }

    void the_next_start_shows_the_preview_where_it_was()
    {
        int width = 0;
        {
            Program program;
            QTest::keyClick(program.main.get(), Qt::Key_F5);
            program.main->addDockWidget(Qt::LeftDockWidgetArea, program.main->preview_dock);
            program.main->resizeDocks({program.main->preview_dock}, {program.main->width() / 5}, Qt::Horizontal);
            QTRY_COMPARE(program.main->preview_dock->width(), program.main->width() / 5);
            width = program.main->preview_dock->width();
        }
        Program next_start;
        QVERIFY(next_start.main->preview_dock->isVisible());
        QCOMPARE(next_start.main->dockWidgetArea(next_start.main->preview_dock), Qt::LeftDockWidgetArea);
        QTRY_COMPARE(next_start.main->preview_dock->width(), width);
        // Every start shows the tool bars, whatever the stored layout says.
        QVERIFY(next_start.main->tools_bar->isVisible());
    }

    void a_store_from_before_the_layout_row_still_gives_the_side()
    {
        {
            RegistryKey key(QString::fromLatin1(configuration_key_path), true);
            key.write_flag(QStringLiteral("preview_visible"), true);
            key.write_dword(QStringLiteral("preview_area"), Qt::LeftDockWidgetArea);
        }
        Program program;
        QVERIFY(program.main->preview_dock->isVisible());
        QCOMPARE(program.main->dockWidgetArea(program.main->preview_dock), Qt::LeftDockWidgetArea);
        QTRY_VERIFY(program.main->preview_dock->width() <= program.main->width() / 3);
    }
};

QTEST_MAIN(TestPreview)
#include "test_preview.moc"

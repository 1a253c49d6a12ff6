// Drawing files named on the command line open at start as Open opens them.
#include "app/command_line_files.h"
#include "app/dialogs.h"
#include "app/file_history.h"
#include "app/main_window.h"
#include "core/shape.h"
#include "document/drawing_window.h"
#include "support/program.h"
#include "support/settings_guard.h"
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void save_drawing_file(Program& program, const QString& path, QRect object)
{
    DrawingWindow* drawing = program.new_drawing();
    program.draw_rectangle(drawing, object);
    program.ui.file_answers.enqueue(path);
    program.main->save_as_action->trigger();
    program.main->close_action->trigger();
}

} // namespace

class TestCommandLineFiles : public QObject {
    Q_OBJECT
private slots:
    void init() { QFile::remove(qEnvironmentVariable("DIORAMIX_REGISTRY")); }

    void named_files_open_in_turn_from_the_current_folder()
    {
        QTemporaryDir dir;
        Program program;
        save_drawing_file(program, dir.filePath("one.sdf"), QRect(10, 10, 30, 20));
        save_drawing_file(program, dir.filePath("two.sdf"), QRect(50, 40, 25, 25));
        QVERIFY(program.main->drawings().isEmpty());

        const QString saved_folder = QDir::currentPath();
        QDir::setCurrent(dir.path());
        open_command_line_files(*program.main, {"one.sdf", dir.filePath("sub/../two.sdf")});
        QDir::setCurrent(saved_folder);

        QCOMPARE(program.main->drawing_names(), QStringList({dir.filePath("one.sdf"), dir.filePath("two.sdf")}));
        QCOMPARE(program.main->drawings().size(), 2);
        QCOMPARE(program.main->drawings()[0]->windowTitle(), QStringLiteral("one.sdf"));
        QCOMPARE(program.main->drawings()[0]->shapes.size(), 1);
        QCOMPARE(program.main->drawings()[0]->shapes[0]->width, 30);
        QCOMPARE(program.main->active_drawing(), program.main->drawings()[1]);
        QCOMPARE(program.main->file_history().paths().first(), dir.filePath("two.sdf"));
        QVERIFY(program.ui.messages.isEmpty());
    }

    void a_missing_or_open_file_is_reported_and_the_rest_still_open()
    {
        QTemporaryDir dir;
        Program program;
        save_drawing_file(program, dir.filePath("here.sdf"), QRect(10, 10, 30, 20));
        const QStringList history = program.main->file_history().paths();

        open_command_line_files(*program.main,
                                {dir.filePath("gone.sdf"), dir.filePath("here.sdf"), dir.filePath("here.sdf"), dir.path()});

        QCOMPARE(program.main->drawing_names(), QStringList({dir.filePath("here.sdf")}));
        QCOMPARE(program.ui.messages.size(), 3);
        QCOMPARE(program.ui.messages[0].kind, MessageKind::Error);
        QCOMPARE(program.ui.messages[0].text,
                 QStringLiteral("The file %1 does not exist.").arg(QDir::toNativeSeparators(dir.filePath("gone.sdf"))));
        QCOMPARE(program.ui.messages[1].text, QStringLiteral("File already open."));
        QCOMPARE(program.ui.messages[1].kind, MessageKind::Information);
        // A folder is no drawing file.
        QVERIFY(program.ui.messages[2].text.startsWith(QStringLiteral("The file ")));
        // Only the file that opened moved in the history.
        QCOMPARE(program.main->file_history().paths(), history);
    }

    void many_missing_files_make_one_message()
    {
        QTemporaryDir dir;
        Program program;
        save_drawing_file(program, dir.filePath("here.sdf"), QRect(10, 10, 30, 20));
        QStringList handed;
        for (int i = 1; i <= 30; ++i) handed << dir.filePath(QStringLiteral("gone%1.sdf").arg(i));
        handed.insert(5, dir.filePath("here.sdf"));

        open_handed_over_files(*program.main, handed);
        QTRY_COMPARE(program.main->drawing_names(), QStringList({dir.filePath("here.sdf")}));
        QCOMPARE(program.ui.messages.size(), 1);
        QCOMPARE(program.ui.messages[0].kind, MessageKind::Error);
        const QStringList lines = program.ui.messages[0].text.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 12);
        QCOMPARE(lines[0], QStringLiteral("These 30 files do not exist:"));
        QCOMPARE(lines[1], QDir::toNativeSeparators(dir.filePath("gone1.sdf")));
        QCOMPARE(lines[10], QDir::toNativeSeparators(dir.filePath("gone10.sdf")));
        QCOMPARE(lines[11], QStringLiteral("and 20 more."));
    }

    void a_file_reached_through_a_symbolic_link_is_already_open()
    {
        QTemporaryDir dir;
        Program program;
        const QString file = dir.filePath("real.sdf");
        const QString link = dir.filePath("link.sdf");
        save_drawing_file(program, file, QRect(10, 10, 30, 20));
        QVERIFY(QFile::link(file, link));
        program.ui.file_answers.enqueue(file);
        program.main->open_action->trigger();
        program.ui.file_answers.enqueue(link);
        program.main->open_action->trigger();
        open_command_line_files(*program.main, {link});

        QCOMPARE(program.main->drawing_names(), QStringList{file});
        QCOMPARE(program.ui.message_texts(), QStringList({"File already open.", "File already open."}));
        QCOMPARE(program.ui.messages[0].kind, MessageKind::Information);
        QCOMPARE(program.ui.messages[0].buttons, MessageButtons::Ok);
    }

    void at_start_the_files_wait_for_the_window_on_the_screen()
    {
        QTemporaryDir dir;
        auto* program = new Program;
        save_drawing_file(*program, dir.filePath("late.sdf"), QRect(10, 10, 30, 20));
        delete program;

        // As the program starts: asked for before the main window shows.
        const SettingsGuard settings;
        ScriptedUi ui;
        MainWindow main;
        create_dialogs(main);
        open_command_line_files_when_shown(main, {dir.filePath("late.sdf")});
        QCoreApplication::processEvents();
        QVERIFY(main.drawings().isEmpty());
        main.show();
        // The window arriving is what opens them, not the time limit: they
        // open with the events that its arrival queued.
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QCoreApplication::processEvents();
        QCOMPARE(main.drawings().size(), 1);
        QCOMPARE(main.drawing_names(), QStringList({dir.filePath("late.sdf")}));
        for (DrawingWindow* drawing : main.drawings()) drawing->modified = 0;
        main.close();
        destroy_dialogs();
    }

    void handed_over_files_wait_for_an_open_dialog_and_then_open_in_front()
    {
        QTemporaryDir dir;
        Program program;
        save_drawing_file(program, dir.filePath("handed.sdf"), QRect(10, 10, 30, 20));
        program.main->showMinimized();

        QDialog dialog(program.main.get());
        dialog.setModal(true);
        dialog.show();
        QTRY_VERIFY(QApplication::activeModalWidget() == &dialog);
        // Handed over while a dialog waits for its answer: put off.
        open_handed_over_files(*program.main, {dir.filePath("handed.sdf")});
        QCoreApplication::processEvents();
        QVERIFY(program.main->drawings().isEmpty());

        dialog.close();
        QTRY_COMPARE(program.main->drawings().size(), 1);
        QCOMPARE(program.main->drawing_names(), QStringList({dir.filePath("handed.sdf")}));
        QVERIFY(!(program.main->windowState() & Qt::WindowMinimized));
    }

    void a_damaged_file_opens_nothing_after_its_message()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("bad.sdf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a drawing");
        file.close();
        Program program;
        open_command_line_files(*program.main, {file.fileName()});
        QCOMPARE(program.ui.messages.size(), 1);
        QCOMPARE(program.ui.messages[0].text, QStringLiteral("Error loading file."));
        QVERIFY(program.main->drawing_names().isEmpty());
        QVERIFY(program.main->isVisible());
    }
};

QTEST_MAIN(TestCommandLineFiles)
#include "test_command_line_files.moc"

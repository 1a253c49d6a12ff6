// The file history in the File menu and in the registry value
// filehistory_list: loading at start-up, its size limit, reopening, and
// entries whose file has gone.
#include "app/file_history.h"
#include "app/main_window.h"
#include "core/configuration.h"
#include "document/drawing_window.h"
#include "platform/registry.h"
#include "support/program.h"
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

namespace {


QString stored_history()
{
    return RegistryKey(QString::fromLatin1(configuration_key_path), true).read_string(QStringLiteral("filehistory_list"));
}

void store(int filehistory, const QString& list)
{
    RegistryKey key(QString::fromLatin1(configuration_key_path), true);
    key.write_dword(QStringLiteral("filehistory"), filehistory);
    key.write_string(QStringLiteral("filehistory_list"), list);
}

// The captions of the File menu as it shows when opened.
QStringList file_menu(MainWindow& main)
{
    main.file_history().update_captions();
    QStringList captions;
    for (const QAction* action : main.file_menu->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

const QStringList fixed_head = {"&New", "&Open", "&Save", "S&ave As", "&Close", "-", "&Import From File",
                                "Import 3D &Model..."};

QString make_drawing_file(Program& program, const QString& path)
{
    DrawingWindow* drawing = program.new_drawing();
    program.draw_rectangle(drawing, QRect(0, 0, 20, 20));
    program.ui.file_answers.enqueue(path);
    program.main->save_as_action->trigger();
    program.main->close_action->trigger();
    return path;
}

} // namespace

class TestFileHistory : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QFile::remove(qEnvironmentVariable("DIORAMIX_REGISTRY"));
    }

    void start_up_shows_the_newest_entries_that_fit()
    {
        store(2, QStringLiteral("/d/old.sdf,/d/middle.sdf,/d/new.sdf,"));
        Program program;
        QCOMPARE(program.main->file_history().paths(), QStringList({"/d/new.sdf", "/d/middle.sdf"}));
        QCOMPARE(file_menu(*program.main),
                 fixed_head + QStringList({"-", "&0 /d/new.sdf", "&1 /d/middle.sdf", "-", "&Exit"}));
        QCOMPARE(program.main->file_menu->actions()[9]->statusTip(), QStringLiteral("/d/new.sdf"));
        QCOMPARE(stored_history(), QStringLiteral("/d/old.sdf,/d/middle.sdf,/d/new.sdf,"));
    }

    void a_comma_splits_and_a_missing_last_comma_clears_the_value()
    {
        store(4, QStringLiteral("/d/a,b.sdf,/d/c.sdf"));
        Program program;
        QCOMPARE(program.main->file_history().paths(), QStringList({"b.sdf", "/d/a"}));
        QCOMPARE(stored_history(), QString());
    }

    void opening_and_saving_keep_the_newest_on_top_once()
    {
        QTemporaryDir dir;
        store(3, QString());
        Program program;
        MainWindow& main = *program.main;
        const QString a = make_drawing_file(program, dir.filePath(QStringLiteral("a.sdf")));
        const QString b = make_drawing_file(program, dir.filePath(QStringLiteral("b.sdf")));
        QCOMPARE(main.file_history().paths(), QStringList({b, a}));
        QCOMPARE(stored_history(), a + QLatin1Char(',') + b + QLatin1Char(','));

        // Reopening a moves it to the top instead of adding it twice.
        program.ui.file_answers.enqueue(a);
        main.open_action->trigger();
        QCOMPARE(main.file_history().paths(), QStringList({a, b}));
        QCOMPARE(file_menu(main).count(QStringLiteral("-")), 3);
        main.close_action->trigger();

        // A history click opens the file; a file that has gone is dropped
        // without a message.
        main.file_menu->actions()[9 + 1]->trigger();
        QCOMPARE(main.drawing_names(), QStringList{b});
        QCOMPARE(main.file_history().paths(), QStringList({b, a}));
        main.close_action->trigger();
        QFile::remove(a);
        main.file_menu->actions()[9 + 1]->trigger();
        QVERIFY(main.drawings().isEmpty());
        QCOMPARE(main.file_history().paths(), QStringList{b});
        QCOMPARE(stored_history(), b + QLatin1Char(','));
        QVERIFY(program.ui.messages.isEmpty());

        // An entry for a drawing that is open: said so, history unchanged.
        program.ui.file_answers.enqueue(b);
        main.open_action->trigger();
        main.file_menu->actions()[9]->trigger();
        QCOMPARE(program.ui.message_texts(), QStringList{"File already open."});
        QCOMPARE(main.file_history().paths(), QStringList{b});

        // The last entry gone, the block's separator goes too.
        main.file_history().remove(b);
        QCOMPARE(file_menu(main), fixed_head + QStringList({"-", "&Exit"}));
    }

    void a_history_size_of_zero_records_nothing()
    {
        QTemporaryDir dir;
        store(0, QString());
        Program program;
        make_drawing_file(program, dir.filePath(QStringLiteral("z.sdf")));
        QVERIFY(program.main->file_history().paths().isEmpty());
        QCOMPARE(file_menu(*program.main), fixed_head + QStringList({"-", "&Exit"}));
        QCOMPARE(stored_history(), QString());
    }
};

QTEST_MAIN(TestFileHistory)
#include "test_file_history.moc"

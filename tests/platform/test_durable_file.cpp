#include "platform/durable_file.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

class TestDurableFile : public QObject {
    Q_OBJECT
private slots:
    void a_save_removes_the_second_names_a_crash_left()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("house.sdf"));
        const auto put = [&](const QString& name) {
            QFile f(dir.filePath(name));
            return f.open(QIODevice::WriteOnly) && f.write("old") == 3;
        };
        QVERIFY(put(QStringLiteral("house.sdf")));
        // Saves that stopped between their rename and dropping the old file's second name.
        for (const char* stale : {".house.sdf.old-1z141z3", ".house.sdf.old-0"})
            QVERIFY(::link(QFile::encodeName(file).constData(), QFile::encodeName(dir.filePath(stale)).constData()) == 0);
        // Names that only look like them.
        QStringList kept{".house.sdf.old", ".house.sdf.old-", ".house.sdf.old-ABC", ".house.sdf.old-12345678",
                         ".house.sdf.old-abc.bak", ".other.sdf.old-abc", "house.sdf.old-abc"};
        for (const QString& name : kept) QVERIFY(put(name));

        QCOMPARE(platform::write_file_durably(file, "new").result, platform::DurableResult::Written);
        kept << QStringLiteral("house.sdf");
        kept.sort();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), kept);
    }
};

QTEST_GUILESS_MAIN(TestDurableFile)
#include "test_durable_file.moc"

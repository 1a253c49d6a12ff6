// Where the program looks for the renderer: beside itself in a build tree,
// in its own library folder once installed.
#include "platform/library_file.h"
#include "render/renderer_library.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void touch(const QString& path)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class TestRendererLocation : public QObject {
    Q_OBJECT
private slots:
    void beside_the_program_first_then_the_installed_folder()
    {
        QTemporaryDir root;
        const QString bin = root.filePath(QStringLiteral("usr/bin"));
        QVERIFY(QDir().mkpath(bin));
        const QString file = library_file_name(QStringLiteral("veride"));
        const QString beside = bin + QLatin1Char('/') + file;

        // None at all: the place beside the program, which the error names.
        QCOMPARE(find_renderer(bin), beside);

        // Installed: found in the program's own library folder, as a plain path.
        QVERIFY(!installed_renderer_folder().isEmpty());
        const QString installed = QDir::cleanPath(bin + QLatin1Char('/') + installed_renderer_folder() + QLatin1Char('/') + file);
        touch(installed);
        QCOMPARE(find_renderer(bin), installed);
        QVERIFY(!find_renderer(bin).contains(QLatin1String("..")));
        QVERIFY(installed.startsWith(root.path()));

        // A build tree's library beside the program wins.
        touch(beside);
        QCOMPARE(find_renderer(bin), beside);
    }

    void library_names_follow_the_system()
    {
#if defined(Q_OS_WIN)
        QCOMPARE(library_file_name(QStringLiteral("veride")), QStringLiteral("veride.dll"));
#elif defined(Q_OS_LINUX)
        QCOMPARE(library_file_name(QStringLiteral("veride")), QStringLiteral("libveride.so"));
#endif
    }
};

QTEST_GUILESS_MAIN(TestRendererLocation)
#include "test_renderer_location.moc"

#include "platform/durable_file.h"
#include "platform/registry.h"
#include "platform/registry_text.h"
#include "support/full_disk.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString key_path = QStringLiteral("\\SOFTWARE\\Tessavue\\Configuration");
const std::string store_path = "HKEY_CURRENT_USER\\SOFTWARE\\Tessavue\\Configuration";

QByteArray file_bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool put_file(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// The error text a call raises, or empty when it raises none.
template <typename F>
QString error_of(F&& call)
{
    try {
        call();
    } catch (const RegistryError& e) {
        return e.text();
    }
    return QString();
}
} // namespace

class TestRegistry : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString store_;
    int case_ = 0;

private slots:
    void init()
    {
        // A settings file of its own for each case, in a folder still to be made.
        store_ = dir_.filePath(QStringLiteral("case%1/dioramix/registry.reg").arg(++case_));
        qputenv("DIORAMIX_REGISTRY", QFile::encodeName(store_));
    }

    void cleanup() { platform::write_step_seam().replace({}); }

    void every_type_reads_back_as_written()
    {
        {
            RegistryKey key(key_path, true);
            key.write_dword(QStringLiteral("eye_distance"), -7);
            key.write_flag(QStringLiteral("donotusearray_flag"), true);
            key.write_double(QStringLiteral("focus_angle"), 0.1);
            key.write_binary(QStringLiteral("blob"), QByteArray("\x00\xff\x10", 3));
            key.write_string(QStringLiteral("filehistory_list"), QStringLiteral("/tmp/Ελλάδα \"x\\y\".sdf,"));
            key.write_expand_string(QStringLiteral("home"), QStringLiteral("%HOME%"));
            key.write_string(QStringLiteral("empty"), QString());
        }
        RegistryKey key(key_path, false);
        QVERIFY(key.is_open());
        QCOMPARE(key.read_dword(QStringLiteral("EYE_DISTANCE")), -7);
        QCOMPARE(key.read_flag(QStringLiteral("donotusearray_flag")), true);
        QCOMPARE(key.read_double(QStringLiteral("focus_angle")), 0.1);
        QCOMPARE(key.read_binary(QStringLiteral("blob"), 3), QByteArray("\x00\xff\x10", 3));
        const QString history = QStringLiteral("/tmp/Ελλάδα \"x\\y\".sdf,");
        QCOMPARE(key.read_string(QStringLiteral("filehistory_list")), history);
        QCOMPARE(key.read_string(QStringLiteral("home")), QStringLiteral("%HOME%"));
        QCOMPARE(key.read_string(QStringLiteral("empty")), QString());
        QCOMPARE(key.data_size(QStringLiteral("empty")), std::optional<int>(1)); // the terminating zero
        QVERIFY(!key.value_exists(QStringLiteral("missing")));
        QVERIFY(file_bytes(store_).contains("\"focus_angle\"=hex:9a,99,99,99,99,99,b9,3f\r\n"));
    }

    void a_value_of_the_wrong_type_or_size_names_itself()
    {
        registry::StoreDocument document;
        registry::StoreKey& k = document.key(store_path);
        k.set("short_text", registry::string_value("40")); // 3 bytes: fits the 4 of a number
        k.set("long_text", registry::string_value("1000"));
        k.set("eight", registry::binary_value("12345678"));
        k.set("four", registry::binary_value("1234"));
        k.set("number", registry::dword_value(5));
        k.set("short_dword", registry::RawValue{registry::type_dword, "\x01"});
        k.set("cut", registry::RawValue{registry::type_sz, std::string("ab\0cd\0", 6)});
        k.set("size_zero", registry::RawValue{registry::type_sz, ""});
        QVERIFY(put_file(store_, QByteArray::fromStdString(registry::format_store_text(document))));

        RegistryKey key(key_path, false);
        const QString invalid = QStringLiteral("Invalid data type for '%1'");
        const QString failed = QStringLiteral("Failed to get data for '%1'");
        const auto dword = [&](const char* n) { return error_of([&] { key.read_dword(QLatin1String(n)); }); };
        const auto real = [&](const char* n) { return error_of([&] { key.read_double(QLatin1String(n)); }); };
        QCOMPARE(dword("short_text"), invalid.arg("short_text"));
        QCOMPARE(dword("long_text"), failed.arg("long_text"));
        QCOMPARE(dword("eight"), failed.arg("eight"));
        QCOMPARE(dword("four"), invalid.arg("four"));
        QCOMPARE(dword("short_dword"), invalid.arg("short_dword"));
        QCOMPARE(dword("absent"), failed.arg("absent"));
        QCOMPARE(real("number"), invalid.arg("number"));
        QCOMPARE(real("four"), invalid.arg("four"));
        QCOMPARE(error_of([&] { key.read_string(QStringLiteral("number")); }), invalid.arg("number"));
        QCOMPARE(key.read_flag(QStringLiteral("number")), true);
        QCOMPARE(key.read_string(QStringLiteral("cut")), QStringLiteral("ab"));
        QCOMPARE(key.read_string(QStringLiteral("size_zero")), QString());
    }

    void a_key_opened_without_creation_must_exist()
    {
        RegistryKey key(key_path, false);
        QVERIFY(!key.is_open());
        QCOMPARE(error_of([&] { key.write_dword(QStringLiteral("eye_distance"), 40); }),
                 QStringLiteral("Failed to set data for 'eye_distance'"));
        QVERIFY(!QFile::exists(store_));
        RegistryKey(key_path, true).write_dword(QStringLiteral("eye_distance"), 40);
        QVERIFY(RegistryKey(key_path, false).is_open());
    }

    void values_of_others_are_kept()
    {
        QVERIFY(put_file(store_, "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Other]\n\"z\"=hex(7):61,00,00\n\n"
                                 "[HKEY_CURRENT_USER\\SOFTWARE\\Tessavue\\Configuration]\n"
                                 "\"unknown\"=dword:00000001\n"));
        // Two programs with the key open write in turn.
        RegistryKey first(key_path, true);
        RegistryKey second(key_path, true);
        first.write_dword(QStringLiteral("eye_distance"), 60);
        second.write_string(QStringLiteral("show_condition"), QStringLiteral("normal"));
        QCOMPARE(second.read_dword(QStringLiteral("eye_distance")), 60);
        QCOMPARE(file_bytes(store_),
                 QByteArray("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Other]\r\n\"z\"=hex(7):61,00,00\r\n\r\n"
                            "[HKEY_CURRENT_USER\\SOFTWARE\\Tessavue\\Configuration]\r\n\"unknown\"=dword:00000001\r\n"
                            "\"eye_distance\"=dword:0000003c\r\n\"show_condition\"=\"normal\"\r\n\r\n"));
    }

    void a_store_of_many_keys_reads_and_writes_as_a_small_one()
    {
        // Other programs' keys around the program's own, which holds enough
        // values to be indexed, and is named again further on in another case.
        const auto section = [](const std::string& path, const std::string& values) {
            return "\r\n[HKEY_CURRENT_USER\\" + path + "]\r\n" + values;
        };
        const auto dword = [](const std::string& name, int number) {
            char text[40];
            std::snprintf(text, sizeof text, "\"%s\"=dword:%08x\r\n", name.c_str(), number);
            return std::string(text);
        };
        std::string own;
        for (int i = 0; i < 40; ++i) own += dword("v" + std::to_string(i), i);
        std::string before, after;
        for (int i = 0; i < 8000; ++i) {
            before += section("SOFTWARE\\Other\\Key" + std::to_string(i), dword("Name", i));
            if (i == 4000) before += section("SOFTWARE\\Tessavue\\Configuration", own);
        }
        std::string merged = own;
        merged.replace(merged.find(dword("v3", 3)), dword("v3", 3).size(), dword("v3", 99));
        merged.replace(merged.find(dword("v20", 20)), dword("v20", 20).size(), dword("v20", 7));
        merged += "\"added\"=\"text\"\r\n";
        after = before;
        after.replace(after.find(own), own.size(), merged);
        before += section("software\\tessavue\\configuration", dword("V3", 99));
        QVERIFY(put_file(store_, QByteArray::fromStdString("REGEDIT4\r\n" + before + "\r\n")));

        RegistryKey key(key_path, false);
        QCOMPARE(RegistryKey(QStringLiteral("\\SOFTWARE\\Other\\Key0"), false).read_dword(QStringLiteral("name")), 0);
        QCOMPARE(RegistryKey(QStringLiteral("\\SOFTWARE\\Other\\Key7999"), false).read_dword(QStringLiteral("NAME")), 7999);
        QCOMPARE(key.read_dword(QStringLiteral("V39")), 39);
        QCOMPARE(key.read_dword(QStringLiteral("v3")), 99);
        key.write_dword(QStringLiteral("V20"), 7);
        key.write_string(QStringLiteral("added"), QStringLiteral("text"));
        QCOMPARE(key.read_dword(QStringLiteral("v20")), 7);
        QCOMPARE(file_bytes(store_), QByteArray::fromStdString("REGEDIT4\r\n" + after + "\r\n"));

        // Another program rewrites the file in place to the same size within
        // one tick of the file system's clock: only the bytes tell.
        struct stat written {};
        const QByteArray name = QFile::encodeName(store_);
        QVERIFY(stat(name.constData(), &written) == 0);
        QByteArray changed = file_bytes(store_);
        changed.replace(QByteArray::fromStdString(dword("v20", 7)), QByteArray::fromStdString(dword("v20", 8)));
        QVERIFY(put_file(store_, changed));
        const timespec times[2] = {written.st_atim, written.st_mtim};
        QVERIFY(utimensat(AT_FDCWD, name.constData(), times, 0) == 0);
        QCOMPARE(key.read_dword(QStringLiteral("v20")), 8);
    }

    void the_file_is_replaced_whole()
    {
        RegistryKey key(key_path, true);
        key.write_dword(QStringLiteral("eye_distance"), 40);
        const QByteArray before = file_bytes(store_);
        // A reader of the old file keeps reading all of it: the new content
        // goes to another file that is renamed over it.
        QFile reader(store_);
        QVERIFY(reader.open(QIODevice::ReadOnly));
        key.write_string(QStringLiteral("filehistory_list"), QString(5000, QLatin1Char('x')));
        QCOMPARE(reader.readAll(), before);
        QVERIFY(file_bytes(store_).contains("xxxxx\"\r\n"));
        QCOMPARE(QDir(QFileInfo(store_).absolutePath()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("registry.reg")}); // no temporary file, no lock
    }

    void a_damaged_file_is_kept_aside()
    {
        const QByteArray damaged("REGEDIT4\n[HKEY_CURRENT_USER\\SOFTWARE\\Tessavue\\Configuration]\n"
                                 "\"eye_distance\"=dwo");
        QVERIFY(put_file(store_, damaged));
        QVERIFY(put_file(store_ + ".corrupt", "an older damaged file"));
        RegistryKey key(key_path, true);
        const QStringList notices = key.take_notices();
        QCOMPARE(notices.size(), 1);
        QVERIFY(notices[0].contains(store_ + "' "));
        QVERIFY(notices[0].contains(store_ + ".corrupt.1'"));
        QVERIFY(notices[0].contains(QStringLiteral("line 3")));
        QVERIFY(!key.value_exists(QStringLiteral("eye_distance")));
        key.write_dword(QStringLiteral("eye_distance"), 40);
        QVERIFY(key.take_notices().isEmpty());
        QCOMPARE(file_bytes(store_ + ".corrupt.1"), damaged);
        QCOMPARE(file_bytes(store_ + ".corrupt"), QByteArray("an older damaged file"));
    }

    void an_unusable_place_fails_to_set_and_loses_nothing()
    {
        const QString set_failed = QStringLiteral("Failed to set data for 'eye_distance'");
        const auto write = [] { RegistryKey(key_path, true).write_dword(QStringLiteral("eye_distance"), 60); };
        // The folder cannot be made: a file stands in its place.
        const QString blocker = dir_.filePath(QStringLiteral("blocker"));
        QVERIFY(put_file(blocker, "not a folder"));
        qputenv("DIORAMIX_REGISTRY", QFile::encodeName(blocker + "/registry.reg"));
        QCOMPARE(error_of(write), set_failed);

        // The store names a folder: that is reported and left alone.
        qputenv("DIORAMIX_REGISTRY", QFile::encodeName(store_));
        QVERIFY(QDir().mkpath(store_));
        {
            RegistryKey key(key_path, true);
            QCOMPARE(error_of([&] { key.write_dword(QStringLiteral("eye_distance"), 40); }), set_failed);
            QVERIFY(key.take_notices().value(0).contains(store_));
        }
    }

    void a_read_only_folder_keeps_the_old_file()
    {
        if (geteuid() == 0) QSKIP("running as root: folder permissions do not stop writes");
        const auto write = [] { RegistryKey(key_path, true).write_dword(QStringLiteral("eye_distance"), 60); };
        RegistryKey(key_path, true).write_dword(QStringLiteral("eye_distance"), 40);
        const QByteArray before = file_bytes(store_);
        const QByteArray folder = QFile::encodeName(QFileInfo(store_).absolutePath());
        QVERIFY(chmod(folder.constData(), 0555) == 0);
        const QString error = error_of(write);
        chmod(folder.constData(), 0755);
        QVERIFY2(error.startsWith(QStringLiteral("Failed to set data for 'eye_distance'. The settings file '%1' "
                                                 "could not be written: ").arg(store_)),
                 qPrintable(error));
        QCOMPARE(file_bytes(store_), before);
    }

    void a_write_broken_at_any_step_keeps_the_old_file_and_says_why_once()
    {
        RegistryKey key(key_path, true);
        key.write_dword(QStringLiteral("eye_distance"), 40);
        const QByteArray before = file_bytes(store_);
        const QString expected = QStringLiteral("Failed to set data for 'eye_distance'. The settings file '%1' could "
                                                "not be written: %2. It is left as it was.")
                                     .arg(store_, QString::fromLocal8Bit(std::strerror(EIO)));
        using platform::WriteStep;
        for (const WriteStep step :
             {WriteStep::Write, WriteStep::Flush, WriteStep::Sync, WriteStep::Commit, WriteStep::SyncFolder}) {
            platform::write_step_seam().replace([step](WriteStep now) { return now == step ? EIO : 0; });
            QCOMPARE(error_of([&] { key.write_dword(QStringLiteral("eye_distance"), 60); }), expected);
            QCOMPARE(file_bytes(store_), before);
            QCOMPARE(QDir(QFileInfo(store_).absolutePath()).entryList(QDir::Files | QDir::Hidden),
                     QStringList{QStringLiteral("registry.reg")});
        }
        // The error says it all: no notice repeats it.
        QVERIFY(key.take_notices().isEmpty());
        platform::write_step_seam().replace({});
        key.write_dword(QStringLiteral("eye_distance"), 60);
        QCOMPARE(key.read_dword(QStringLiteral("eye_distance")), 60);
    }

    void a_full_disk_keeps_the_old_file()
    {
        FullDisk disk;
        if (!disk.mounted()) QSKIP(qPrintable(disk.why_not()));
        store_ = disk.filePath(QStringLiteral("registry.reg"));
        qputenv("DIORAMIX_REGISTRY", QFile::encodeName(store_));
        RegistryKey key(key_path, true);
        key.write_dword(QStringLiteral("eye_distance"), 40);
        const QByteArray before = file_bytes(store_);
        QVERIFY(disk.fill());
        const QString error =
            error_of([&] { key.write_string(QStringLiteral("filehistory_list"), QString(3000, QLatin1Char('x'))); });
        QVERIFY2(error.endsWith(QStringLiteral(": %1. It is left as it was.")
                                    .arg(QString::fromLocal8Bit(std::strerror(ENOSPC)))),
                 qPrintable(error));
        QCOMPARE(file_bytes(store_), before);
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({QStringLiteral("filler"), QStringLiteral("registry.reg")}));
        QVERIFY(key.take_notices().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "test_registry.moc"

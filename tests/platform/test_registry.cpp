#include "platform/registry.h"
#include "platform/registry_text.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
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

void put_file(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

registry::StoreDocument file_document(const QString& path)
{
    const QByteArray bytes = file_bytes(path);
    return registry::parse_store_text(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()))).document;
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

    void every_type_reads_back_as_written()
    {
        {
            RegistryKey key(key_path, true);
            QVERIFY(key.is_open());
            key.write_dword(QStringLiteral("eye_distance"), -7);
            key.write_flag(QStringLiteral("donotusearray_flag"), true);
            key.write_double(QStringLiteral("focus_angle"), 0.1);
            key.write_binary(QStringLiteral("blob"), QByteArray("\x00\xff\x10", 3));
            key.write_string(QStringLiteral("filehistory_list"), QStringLiteral("/tmp/Ελλάδα \"x\\y\".sdf,"));
            key.write_expand_string(QStringLiteral("home"), QStringLiteral("%HOME%\\x"));
            key.write_string(QStringLiteral("empty"), QString());
        }
        RegistryKey key(key_path, false);
        QVERIFY(key.is_open());
        QCOMPARE(key.read_dword(QStringLiteral("eye_distance")), -7);
        QCOMPARE(key.read_flag(QStringLiteral("donotusearray_flag")), true);
        QCOMPARE(key.read_double(QStringLiteral("focus_angle")), 0.1);
        QCOMPARE(key.read_binary(QStringLiteral("blob"), 3), QByteArray("\x00\xff\x10", 3));
        QCOMPARE(key.read_string(QStringLiteral("filehistory_list")), QStringLiteral("/tmp/Ελλάδα \"x\\y\".sdf,"));
        QCOMPARE(key.read_string(QStringLiteral("home")), QStringLiteral("%HOME%\\x"));
        QCOMPARE(key.read_string(QStringLiteral("empty")), QString());
        QCOMPARE(key.data_size(QStringLiteral("focus_angle")), std::optional<int>(8));
        QCOMPARE(key.data_size(QStringLiteral("empty")), std::optional<int>(1)); // the terminating zero
        QVERIFY(key.value_exists(QStringLiteral("EYE_DISTANCE")));
        QVERIFY(!key.value_exists(QStringLiteral("missing")));
        QCOMPARE(error_of([&] { key.read_dword(QStringLiteral("missing")); }), QStringLiteral("Failed to get data for 'missing'"));

        const QByteArray text = file_bytes(store_);
        QVERIFY(text.startsWith("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Tessavue\\Configuration]\r\n"));
        QVERIFY(text.contains("\"eye_distance\"=dword:fffffff9\r\n"));
        QVERIFY(text.contains("\"focus_angle\"=hex:9a,99,99,99,99,99,b9,3f\r\n"));
        QVERIFY(text.contains("\"home\"=hex(2):"));
    }

    void a_value_of_the_wrong_type_or_size_names_itself()
    {
        {
            registry::StoreDocument document;
            registry::StoreKey& k = document.key(store_path);
            k.set("short_text", registry::string_value("40"));      // 3 bytes: fits a number
            k.set("long_text", registry::string_value("1000"));     // 5 bytes: does not
            k.set("eight", registry::binary_value("12345678"));
            k.set("four", registry::binary_value("1234"));
            k.set("nine", registry::binary_value("123456789"));
            k.set("number", registry::dword_value(5));
            k.set("short_dword", registry::RawValue{registry::type_dword, "\x01"});
            k.set("cut", registry::RawValue{registry::type_sz, std::string("ab\0cd\0", 6)});
            k.set("size_zero", registry::RawValue{registry::type_sz, ""});
            k.set("expand", registry::expand_string_value("%TEMP%"));
            QVERIFY(QDir().mkpath(QFileInfo(store_).absolutePath()));
            put_file(store_, QByteArray::fromStdString(registry::format_store_text(document)));
        }
        RegistryKey key(key_path, false);
        const auto invalid = [](const char* name) { return QStringLiteral("Invalid data type for '%1'").arg(QLatin1String(name)); };
        const auto failed = [](const char* name) { return QStringLiteral("Failed to get data for '%1'").arg(QLatin1String(name)); };
        QCOMPARE(error_of([&] { key.read_dword(QStringLiteral("short_text")); }), invalid("short_text"));
        QCOMPARE(error_of([&] { key.read_dword(QStringLiteral("long_text")); }), failed("long_text"));
        QCOMPARE(error_of([&] { key.read_dword(QStringLiteral("eight")); }), failed("eight"));
        QCOMPARE(error_of([&] { key.read_dword(QStringLiteral("four")); }), invalid("four"));
        QCOMPARE(error_of([&] { key.read_dword(QStringLiteral("short_dword")); }), invalid("short_dword"));
        QCOMPARE(error_of([&] { key.read_double(QStringLiteral("number")); }), invalid("number"));
        QCOMPARE(error_of([&] { key.read_double(QStringLiteral("four")); }), invalid("four"));
        QCOMPARE(error_of([&] { key.read_double(QStringLiteral("nine")); }), failed("nine"));
        QCOMPARE(error_of([&] { key.read_string(QStringLiteral("number")); }), invalid("number"));
        QCOMPARE(error_of([&] { key.read_string(QStringLiteral("absent")); }), failed("absent"));
        QCOMPARE(key.read_flag(QStringLiteral("number")), true);
        QCOMPARE(key.read_string(QStringLiteral("cut")), QStringLiteral("ab"));
        QCOMPARE(key.read_string(QStringLiteral("size_zero")), QString());
        QCOMPARE(key.read_string(QStringLiteral("expand")), QStringLiteral("%TEMP%"));
        QCOMPARE(key.read_binary(QStringLiteral("eight"), 8), QByteArray("12345678"));
    }

    void a_key_opened_without_creation_must_exist()
    {
        RegistryKey key(key_path, false);
        QVERIFY(!key.is_open());
        QVERIFY(!key.value_exists(QStringLiteral("eye_distance")));
        QCOMPARE(error_of([&] { key.write_dword(QStringLiteral("eye_distance"), 40); }),
                 QStringLiteral("Failed to set data for 'eye_distance'"));
        QVERIFY(!QFile::exists(store_));

        RegistryKey created(key_path, true);
        created.write_dword(QStringLiteral("eye_distance"), 40);
        QVERIFY(RegistryKey(key_path, false).is_open());
        QVERIFY(!RegistryKey(QStringLiteral("\\SOFTWARE\\Tessavue\\Other"), false).is_open());
    }

    void values_of_other_keys_and_programs_are_kept()
    {
        QVERIFY(QDir().mkpath(QFileInfo(store_).absolutePath()));
        put_file(store_, "REGEDIT4\n\n"
                         "[HKEY_CURRENT_USER\\SOFTWARE\\Other]\n\"z\"=hex(7):61,00,00\n\"a\"=\"1\"\n\n"
                         "[HKEY_CURRENT_USER\\SOFTWARE\\Tessavue\\Configuration]\n\"unknown\"=dword:00000001\n"
                         "\"eye_distance\"=dword:00000001\n");
        RegistryKey key(key_path, true);
        key.write_dword(QStringLiteral("eye_distance"), 60);
        key.write_string(QStringLiteral("added"), QStringLiteral("x"));
        QCOMPARE(file_bytes(store_),
                 QByteArray("REGEDIT4\r\n\r\n"
                            "[HKEY_CURRENT_USER\\SOFTWARE\\Other]\r\n\"z\"=hex(7):61,00,00\r\n\"a\"=\"1\"\r\n\r\n"
                            "[HKEY_CURRENT_USER\\SOFTWARE\\Tessavue\\Configuration]\r\n\"unknown\"=dword:00000001\r\n"
                            "\"eye_distance\"=dword:0000003c\r\n\"added\"=\"x\"\r\n\r\n"));
    }

    void each_write_reads_the_file_again_first()
    {
        // Two programs with the key open write in turn.
        RegistryKey first(key_path, true);
        RegistryKey second(key_path, true);
        first.write_dword(QStringLiteral("eye_distance"), 60);
        second.write_dword(QStringLiteral("level_distance"), 500);
        first.write_string(QStringLiteral("show_condition"), QStringLiteral("normal"));
        QCOMPARE(second.read_dword(QStringLiteral("eye_distance")), 60);
        const registry::StoreDocument document = file_document(store_);
        const registry::StoreKey* k = document.find(store_path);
        QVERIFY(k);
        QCOMPARE(k->values.size(), std::size_t(3));
        QVERIFY(k->find("level_distance"));
    }

    void the_file_is_replaced_whole()
    {
        RegistryKey key(key_path, true);
        key.write_dword(QStringLiteral("eye_distance"), 40);
        const QByteArray before = file_bytes(store_);
        // A reader that opened the old file keeps reading all of it while it
        // is replaced: the new content goes to another file renamed over it.
        QFile reader(store_);
        QVERIFY(reader.open(QIODevice::ReadOnly));
        key.write_string(QStringLiteral("filehistory_list"), QString(5000, QLatin1Char('x')));
        QCOMPARE(reader.readAll(), before);
        QVERIFY(file_bytes(store_).contains("xxxxx\"\r\n"));
        // Nothing left behind: no temporary file, no lock.
        QCOMPARE(QDir(QFileInfo(store_).absolutePath()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("registry.reg")});
    }

    void a_damaged_file_is_kept_aside()
    {
        QVERIFY(QDir().mkpath(QFileInfo(store_).absolutePath()));
        const QByteArray damaged("REGEDIT4\n[HKEY_CURRENT_USER\\SOFTWARE\\Tessavue\\Configuration]\n\"eye_distance\"=dwo");
        put_file(store_, damaged);
        put_file(store_ + ".corrupt", "an older damaged file");
        {
            RegistryKey key(key_path, true);
            const QStringList notices = key.take_notices();
            QCOMPARE(notices.size(), 1);
            QVERIFY2(notices[0].contains(store_) && notices[0].contains(store_ + ".corrupt.1"), qPrintable(notices[0]));
            QVERIFY(notices[0].contains(QStringLiteral("line 3")));
            QVERIFY(!key.value_exists(QStringLiteral("eye_distance")));
            key.write_dword(QStringLiteral("eye_distance"), 40);
            QVERIFY(key.take_notices().isEmpty());
        }
        QCOMPARE(file_bytes(store_ + ".corrupt.1"), damaged);
        QCOMPARE(file_bytes(store_ + ".corrupt"), QByteArray("an older damaged file"));
        const registry::StoreDocument document = file_document(store_);
        QVERIFY(document.find(store_path)->find("eye_distance"));
    }

    void an_unusable_place_fails_to_set_and_loses_nothing()
    {
        // The folder cannot be made: a file stands where it would be.
        const QString blocker = dir_.filePath(QStringLiteral("blocker%1").arg(case_));
        put_file(blocker, "not a folder");
        qputenv("DIORAMIX_REGISTRY", QFile::encodeName(blocker + "/registry.reg"));
        {
            RegistryKey key(key_path, true);
            QCOMPARE(error_of([&] { key.write_dword(QStringLiteral("eye_distance"), 40); }),
                     QStringLiteral("Failed to set data for 'eye_distance'"));
        }
        // The store path names a folder: it is reported and left alone.
        qputenv("DIORAMIX_REGISTRY", QFile::encodeName(store_));
        QVERIFY(QDir().mkpath(store_));
        {
            RegistryKey key(key_path, true);
            QVERIFY(!key.is_open());
            QCOMPARE(error_of([&] { key.write_dword(QStringLiteral("eye_distance"), 40); }),
                     QStringLiteral("Failed to set data for 'eye_distance'"));
            const QStringList notices = key.take_notices();
            QCOMPARE(notices.size(), 1);
            QVERIFY(notices[0].contains(store_));
            QVERIFY(QFileInfo(store_).isDir());
        }
        if (geteuid() == 0) QSKIP("running as root: folder permissions do not stop writes");
        QDir().rmdir(store_);
        RegistryKey(key_path, true).write_dword(QStringLiteral("eye_distance"), 40);
        const QByteArray before = file_bytes(store_);
        const QString folder = QFileInfo(store_).absolutePath();
        QVERIFY(chmod(QFile::encodeName(folder).constData(), 0555) == 0);
        const QString error = error_of([&] { RegistryKey(key_path, true).write_dword(QStringLiteral("eye_distance"), 60); });
        chmod(QFile::encodeName(folder).constData(), 0755);
        QCOMPARE(error, QStringLiteral("Failed to set data for 'eye_distance'"));
        QCOMPARE(file_bytes(store_), before);
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "test_registry.moc"

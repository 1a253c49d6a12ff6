#include "core/configuration.h"
#include "platform/registry.h"
#include "platform/registry_text.h"
#include "platform/screen.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <limits>

namespace {
const QString key_path = QString::fromLatin1(configuration_key_path);
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
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

registry::StoreKey stored_key(const QString& path)
{
    const QByteArray bytes = file_bytes(path);
    const registry::ParseResult r = registry::parse_store_text(bytes.toStdString());
    const registry::StoreKey* key = r.document.find(store_path);
    return key ? *key : registry::StoreKey{};
}

bool same_record(const ConfigurationRecord& a, const ConfigurationRecord& b)
{
    return configuration_block(a) == configuration_block(b);
}

ConfigurationRecord defaults_for_test_screen()
{
    ConfigurationRecord c;
    c.monitor_width = 270;
    c.monitor_height = 203;
    return c;
}
} // namespace

class TestConfiguration : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString store_;
    int case_ = 0;

private slots:
    void init()
    {
        store_ = dir_.filePath(QStringLiteral("case%1/registry.reg").arg(++case_));
        qputenv("DIORAMIX_REGISTRY", QFile::encodeName(store_));
        platform::screen_seam().replace([] { return ScreenMetrics{1024, 768, 96, 96}; });
        Configuration = ConfigurationRecord{};
    }

    void cleanup() { platform::screen_seam().replace({}); }

    void the_renderer_block_has_the_fixed_layout()
    {
        ConfigurationRecord c;
        c.eye_distance = 1; c.level_distance = -2; c.standardmonitor_flag = 7; c.monitor_type = 3;
        c.monitor_width = 4; c.monitor_height = 5; c.setfocuscone_flag = 0; c.focus_angle = 2.0;
        c.max_height = 6; c.min_height = -7; c.donotusearray_flag = 1; c.background_color = 0x123456;
        c.object_color = 0xFFFF; c.heightarray_limit = 8; c.filehistory = 9; c.undohistory = 10;
        c.rendercolor_range = 11; c.rendercolor_base = 12;
        const ConfigurationBlock b = configuration_block(c);
        // Little-endian; any non-zero flag goes over as 1; zero padding; the double unaligned at 28.
        const QByteArray expected = QByteArray::fromHex("01000000" "feffffff" "01000000" "03000000"
                                                        "04000000" "05000000" "00000000" "0000000000000040"
                                                        "06000000" "f9ffffff" "01000000" "56341200"
                                                        "ffff0000" "08000000" "09000000" "0a000000"
                                                        "0b000000" "0c000000");
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(b.data()), int(b.size())).toHex(), expected.toHex());
        const ConfigurationRecord back = configuration_from_block(b);
        QCOMPARE(back.standardmonitor_flag, std::uint8_t(1));
        QCOMPARE(back.focus_angle, 2.0);
        QCOMPARE(configuration_block(back), b);
    }

    void height_limits_follow_the_cone()
    {
        const double t01 = tangent_of_degrees(0.1);
        QVERIFY(std::abs(t01 - 0.0017453310241888) < 1e-15);
        const auto check = [](std::int32_t e, std::int32_t l, double t, std::int32_t max, std::int32_t min) {
            const HeightLimits h = height_limits(e, l, t);
            QCOMPARE(h.max_height, max);
            QCOMPARE(h.min_height, min);
        };
        check(40, 1000, t01, 80, -95);
        check(40, 1000, tangent_of_degrees(0.5), 303, -774);
        check(40, 1000, tangent_of_degrees(1.0), 466, -6861);
        check(60, 500, t01, 14, -15);
        // 4 L^2 + E^2 no longer fits in 32 bits here; it must not wrap.
        check(65, 30000, t01, 18510, 79093);
        check(40, 100000, t01, 89718, 112942);
        // Extreme and degenerate input stays defined: no overflow, a zero divisor clamps.
        const std::int32_t lo = std::numeric_limits<std::int32_t>::min();
        const std::int32_t hi = std::numeric_limits<std::int32_t>::max();
        check(lo, lo, t01, -9337580, 9402997);
        check(1, 1, 0.5, 0, lo);
        check(0, 0, t01, 0, 0);

        QCOMPARE(screen_millimetres(1024, 96), 270);
        QCOMPARE(screen_millimetres(96, 96), 25);
        QCOMPARE(screen_millimetres(1024, 0), 0);
        QCOMPARE(screen_millimetres(hi, 1), hi);
    }

    void a_first_start_writes_every_default()
    {
        const ConfigurationLoad load = load_configuration();
        QVERIFY2(load.problems.isEmpty(), qPrintable(load.problems.join('\n')));
        QVERIFY(load.maximized);
        QCOMPARE(load.filehistory_list, QString());
        QVERIFY(same_record(Configuration, defaults_for_test_screen()));
        QCOMPARE(Configuration.max_height, 80);
        QCOMPARE(Configuration.min_height, -95);

        const auto dword = [](std::int32_t v) { return registry::dword_value(v); };
        const std::vector<registry::StoreValue> expected = {
            {"eye_distance", dword(40)},
            {"level_distance", dword(1000)},
            {"standardmonitor_flag", dword(0)},
            {"monitor_type", dword(0)},
            {"monitor_width", dword(270)},
            {"monitor_height", dword(203)},
            {"setfocuscone_flag", dword(1)},
            {"focus_angle", registry::binary_value(std::string("\x9a\x99\x99\x99\x99\x99\xb9\x3f", 8))},
            {"max_height", dword(80)},
            {"min_height", dword(-95)},
            {"donotusearray_flag", dword(0)},
            {"background_color", dword(0x800000)},
            {"object_color", dword(0xFFFF)},
            {"heightarray_limit", dword(100)},
            {"filehistory", dword(4)},
            {"filehistory_list", registry::string_value("")},
            {"rendercolor_range", dword(10000)},
            {"rendercolor_base", dword(0)},
            {"undohistory", dword(4)},
            {"show_condition", registry::string_value("maximize")},
        };
        QCOMPARE(stored_key(store_).values, expected);

        // A second start finds everything and changes nothing, whatever the screen.
        const QByteArray first = file_bytes(store_);
        platform::screen_seam().replace([] { return ScreenMetrics{1920, 1080, 120, 120}; });
        Configuration = ConfigurationRecord{};
        QVERIFY(load_configuration().problems.isEmpty());
        QCOMPARE(file_bytes(store_), first);
        QCOMPARE(Configuration.monitor_width, 270);
    }

    void stored_distances_set_the_missing_height_limits()
    {
        {
            RegistryKey key(key_path, true);
            key.write_dword(QStringLiteral("eye_distance"), 60);
            key.write_dword(QStringLiteral("level_distance"), 500);
            key.write_double(QStringLiteral("focus_angle"), 2.0); // the stored angle does not enter
            key.write_dword(QStringLiteral("standardmonitor_flag"), 5);
            key.write_string(QStringLiteral("show_condition"), QStringLiteral("Maximize"));
        }
        const ConfigurationLoad load = load_configuration();
        QVERIFY(load.problems.isEmpty());
        QCOMPARE(Configuration.max_height, 14);
        QCOMPARE(Configuration.min_height, -15);
        QCOMPARE(Configuration.focus_angle, 2.0);
        QCOMPARE(Configuration.standardmonitor_flag, std::uint8_t(1));
        QVERIFY(!load.maximized); // only "maximize" exactly maximises
        const registry::StoreKey key = stored_key(store_);
        QCOMPARE(*key.find("max_height"), registry::dword_value(14));
        QCOMPARE(*key.find("min_height"), registry::dword_value(-15));
        QCOMPARE(*key.find("standardmonitor_flag"), registry::dword_value(5)); // existing values are never replaced
        QCOMPARE(*key.find("show_condition"), registry::string_value("Maximize"));
    }

    void a_registry_failure_is_reported_once_and_start_up_goes_on()
    {
        {
            RegistryKey key(key_path, true);
            key.write_string(QStringLiteral("eye_distance"), QStringLiteral("40"));
            key.write_dword(QStringLiteral("level_distance"), 500);
        }
        const QByteArray before = file_bytes(store_);
        Configuration.eye_distance = 0;
        const ConfigurationLoad load = load_configuration();
        QCOMPARE(load.problems, QStringList{QStringLiteral("Invalid data type for 'eye_distance'")});
        QVERIFY(same_record(Configuration, defaults_for_test_screen()));
        QVERIFY(load.maximized);
        QCOMPARE(file_bytes(store_), before); // the user's values are left for them to fix

        // A store that cannot be written at all.
        const QString blocker = dir_.filePath(QStringLiteral("blocker"));
        QVERIFY(put_file(blocker, "a file where a folder should be"));
        qputenv("DIORAMIX_REGISTRY", QFile::encodeName(blocker + "/registry.reg"));
        const ConfigurationLoad unwritable = load_configuration();
        QCOMPARE(unwritable.problems, QStringList{QStringLiteral("Failed to set data for 'eye_distance'")});
        QVERIFY(same_record(Configuration, defaults_for_test_screen()));
    }

    void a_damaged_store_is_kept_and_started_afresh()
    {
        QVERIFY(put_file(store_, QByteArray("\0\0\0\0garbage", 11)));
        const ConfigurationLoad load = load_configuration();
        QCOMPARE(load.problems.size(), 1);
        QVERIFY(load.problems[0].contains(store_ + "' ") && load.problems[0].contains(store_ + ".corrupt'"));
        QCOMPARE(file_bytes(store_ + QStringLiteral(".corrupt")), QByteArray("\0\0\0\0garbage", 11));
        QCOMPARE(stored_key(store_).values.size(), std::size_t(20));
    }

    void the_history_is_loaded_in_its_place()
    {
        {
            RegistryKey key(key_path, true);
            key.write_string(QStringLiteral("filehistory_list"), QStringLiteral("/a.sdf,/b.sdf"));
        }
        bool in_place = false;
        const ConfigurationLoad load = load_configuration([&](RegistryKey& key) {
            // After filehistory, before rendercolor_range.
            in_place = key.value_exists(QStringLiteral("filehistory"))
                && !key.value_exists(QStringLiteral("rendercolor_range"));
            key.write_string(QStringLiteral("filehistory_list"), QString()); // as for an unfinished last entry
        });
        QVERIFY(load.problems.isEmpty());
        QVERIFY(in_place);
        QCOMPARE(load.filehistory_list, QStringLiteral("/a.sdf,/b.sdf"));
        QCOMPARE(*stored_key(store_).find("filehistory_list"), registry::string_value(""));
    }

    void exit_stores_the_window_state()
    {
        QVERIFY(load_configuration().problems.isEmpty());
        QVERIFY(save_show_condition(false).isEmpty());
        QCOMPARE(*stored_key(store_).find("show_condition"), registry::string_value("normal"));
        QVERIFY(!load_configuration().maximized);
        QVERIFY(save_show_condition(true).isEmpty());
        QVERIFY(load_configuration().maximized);
        QCOMPARE(stored_key(store_).values.size(), std::size_t(20));

        qputenv("DIORAMIX_REGISTRY", QFile::encodeName(store_ + "/x")); // inside a file
        QCOMPARE(save_show_condition(true), QStringList{QStringLiteral("Failed to set data for 'show_condition'")});
    }
};

QTEST_GUILESS_MAIN(TestConfiguration)
#include "test_configuration.moc"

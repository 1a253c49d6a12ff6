#include "platform/registry_text.h"
#include <QTest>

using namespace registry;

namespace {
const std::string key_path = "HKEY_CURRENT_USER\\SOFTWARE\\Tessavue\\Configuration";
}

class TestRegistryText : public QObject {
    Q_OBJECT
private slots:
    void every_type_is_written_as_regedit_writes_it_and_read_back()
    {
        StoreDocument document;
        StoreKey& key = document.key(key_path);
        key.set("eye_distance", dword_value(40));
        key.set("min_height", dword_value(-95));
        key.set("focus_angle", binary_value(double_bytes(0.1)));
        key.set("show_condition", string_value("maximize"));
        key.set("say \"hi\"\\", string_value("C:\\a\\\"b\".sdf,"));
        key.set("path", expand_string_value("%HOME%"));
        key.set("", string_value(""));
        // What the quoted form cannot hold goes as hex.
        key.set("two_lines", string_value("a\nb"));
        key.set("no_terminator", RawValue{type_sz, "abc"});
        key.set("short_dword", RawValue{type_dword, "\x01\x02"});
        key.set("empty_binary", binary_value(""));
        key.set("multi", RawValue{7, std::string("a\0\0", 3)});

        const std::string text = format_store_text(document);
        QCOMPARE(text,
                 "REGEDIT4\r\n\r\n"
                 "[HKEY_CURRENT_USER\\SOFTWARE\\Tessavue\\Configuration]\r\n"
                 "\"eye_distance\"=dword:00000028\r\n"
                 "\"min_height\"=dword:ffffffa1\r\n"
                 "\"focus_angle\"=hex:9a,99,99,99,99,99,b9,3f\r\n"
                 "\"show_condition\"=\"maximize\"\r\n"
                 "\"say \\\"hi\\\"\\\\\"=\"C:\\\\a\\\\\\\"b\\\".sdf,\"\r\n"
                 "\"path\"=hex(2):25,48,4f,4d,45,25,00\r\n"
                 "@=\"\"\r\n"
                 "\"two_lines\"=hex(1):61,0a,62,00\r\n"
                 "\"no_terminator\"=hex(1):61,62,63\r\n"
                 "\"short_dword\"=hex(4):01,02\r\n"
                 "\"empty_binary\"=hex:\r\n"
                 "\"multi\"=hex(7):61,00,00\r\n"
                 "\r\n");
        const ParseResult back = parse_store_text(text);
        QVERIFY2(back.ok, back.error.c_str());
        QCOMPARE(back.document, document);
    }

    void reads_files_written_by_hand_or_by_regedit()
    {
        const ParseResult r = parse_store_text("\xEF\xBB\xBFREGEDIT4\n"
                                               "; a comment\n"
                                               "[HKEY_CURRENT_USER\\Other]\n"
                                               "\"Kept\" = DWORD:1F\n"
                                               "\"Long\"=hex:01,02,\\\n"
                                               "    03\r\n"
                                               "[hkey_current_user\\software\\tessavue\\configuration]\n"
                                               "\"EYE_DISTANCE\"=dword:00000028\n"
                                               "[HKEY_CURRENT_USER\\Other]\n"
                                               "\"kept\"=dword:00000020\n");
        QVERIFY2(r.ok, r.error.c_str());
        QCOMPARE(r.document.keys.size(), std::size_t(2));
        // A repeated key and a value repeated in another case merge; the later value wins.
        const StoreKey* other = r.document.find("HKEY_CURRENT_USER\\OTHER");
        QCOMPARE(other->values.size(), std::size_t(2));
        QCOMPARE(*other->find("KEPT"), dword_value(0x20));
        QCOMPARE(*other->find("long"), binary_value("\x01\x02\x03"));
        QCOMPARE(*r.document.find(key_path)->find("eye_distance"), dword_value(40));
        QVERIFY(parse_store_text(" \r\n\n").ok); // nothing written yet
    }

    void rejects_what_it_could_not_write_back()
    {
        const std::string a = "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n";
        const std::string bad[] = {
            "Windows Registry Editor Version 5.00\n",
            std::string("\0\0\0\0", 4),
            "REGEDIT4\n\"a\"=dword:1\n", // a value before any key
            "REGEDIT4\n[HKEY_CURRENT_USER\\A\n",
            "REGEDIT4\n[]\n",
            "REGEDIT4\n[-HKEY_CURRENT_USER\\A]\n", // deletions are for importing, not for a store
            a + "\"a\"=-\n",
            a + "\"a\"=\"open\n",
            a + "\"a\"=\"x\"junk\n",
            a + "\"a\"=\"\\n\"\n",
            a + "\"a\"=dword:123456789\n",
            a + "\"a\"=dword:12g\n",
            a + "\"a\"=hex:1,2,\n",
            a + "\"a\"=hex:123\n",
            a + "\"a\"=hex(zz):00\n",
            a + "\"a\"=hex:01,\\\n",
            a + "\"a\"dword:1\n",
            a + "\"a\"=text\n",
            a + "nonsense\n",
        };
        for (const std::string& text : bad) {
            const ParseResult r = parse_store_text(text);
            QVERIFY2(!r.ok, text.c_str());
            QVERIFY(r.document.keys.empty());
        }
        QCOMPARE(parse_store_text(a + "\"a\"=dword:1\n\"b\"=hex:zz\n").error,
                 std::string("line 4: a value that cannot be read"));
    }
};

QTEST_GUILESS_MAIN(TestRegistryText)
#include "test_registry_text.moc"

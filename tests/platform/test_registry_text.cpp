#include "platform/registry_text.h"
#include <QTest>
#include <cstring>

using namespace registry;

namespace {
const std::string key_path = "HKEY_CURRENT_USER\\SOFTWARE\\Tessavue\\Configuration";

ParseResult parse(const std::string& text)
{
    return parse_store_text(text);
}

StoreDocument reparsed(const StoreDocument& document)
{
    const ParseResult again = parse_store_text(format_store_text(document));
    if (!again.ok) qWarning("%s", again.error.c_str());
    return again.document;
}
} // namespace

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
        key.set("empty_text", string_value(""));
        key.set("path", expand_string_value("%HOME%"));
        key.set("", string_value("default"));
        key.set("two_lines", string_value("a\r\nb"));
        key.set("no_terminator", RawValue{type_sz, "abc"});
        key.set("short_dword", RawValue{type_dword, "\x01\x02"});
        key.set("empty_binary", binary_value(""));
        key.set("multi", RawValue{7, std::string("a\0b\0\0", 5)});

        const std::string text = format_store_text(document);
        QCOMPARE(text,
                 "REGEDIT4\r\n\r\n"
                 "[HKEY_CURRENT_USER\\SOFTWARE\\Tessavue\\Configuration]\r\n"
                 "\"eye_distance\"=dword:00000028\r\n"
                 "\"min_height\"=dword:ffffffa1\r\n"
                 "\"focus_angle\"=hex:9a,99,99,99,99,99,b9,3f\r\n"
                 "\"show_condition\"=\"maximize\"\r\n"
                 "\"empty_text\"=\"\"\r\n"
                 "\"path\"=hex(2):25,48,4f,4d,45,25,00\r\n"
                 "@=\"default\"\r\n"
                 "\"two_lines\"=hex(1):61,0d,0a,62,00\r\n"
                 "\"no_terminator\"=hex(1):61,62,63\r\n"
                 "\"short_dword\"=hex(4):01,02\r\n"
                 "\"empty_binary\"=hex:\r\n"
                 "\"multi\"=hex(7):61,00,62,00,00\r\n"
                 "\r\n");
        QCOMPARE(reparsed(document), document);
    }

    void quotes_and_backslashes_are_escaped()
    {
        StoreDocument document;
        document.key(key_path).set("say \"hi\"\\", string_value("C:\\drawings\\\"new\".sdf,"));
        const std::string text = format_store_text(document);
        QVERIFY(text.find("\"say \\\"hi\\\"\\\\\"=\"C:\\\\drawings\\\\\\\"new\\\".sdf,\"\r\n") != std::string::npos);
        QCOMPARE(reparsed(document), document);
    }

    void reads_files_written_by_hand_or_by_regedit()
    {
        const ParseResult r = parse("\xEF\xBB\xBFREGEDIT4\n"
                                    "; a comment\n"
                                    "\n"
                                    "[HKEY_CURRENT_USER\\Other]\n"
                                    "\"Kept\" = DWORD:1F\n"
                                    "\"Long\"=hex:01,02,\\\n"
                                    "    03,04\r\n"
                                    "[hkey_current_user\\software\\tessavue\\configuration]\n"
                                    "\"EYE_DISTANCE\"=dword:00000028\n"
                                    "[HKEY_CURRENT_USER\\Other]\n"
                                    "\"kept\"=dword:00000020\n");
        QVERIFY2(r.ok, r.error.c_str());
        QCOMPARE(r.document.keys.size(), std::size_t(2));
        const StoreKey* other = r.document.find("HKEY_CURRENT_USER\\OTHER");
        QVERIFY(other);
        // A repeated key and a repeated value name (in another case) merge, the later winning.
        QCOMPARE(other->values.size(), std::size_t(2));
        QCOMPARE(*other->find("KEPT"), dword_value(0x20));
        QCOMPARE(*other->find("long"), binary_value("\x01\x02\x03\x04"));
        QCOMPARE(*r.document.find(key_path)->find("eye_distance"), dword_value(40));

        QVERIFY(parse("").ok);
        QVERIFY(parse(" \r\n\n").ok);
        QVERIFY(parse("REGEDIT4\r\n").ok);
    }

    void rejects_what_it_could_not_write_back()
    {
        const char* bad[] = {
            "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\A]\n",
            "REGEDIT4\n\"a\"=dword:1\n",                   // value before any key
            "REGEDIT4\n[HKEY_CURRENT_USER\\A\n",           // no closing bracket
            "REGEDIT4\n[]\n",                              // empty key path
            "REGEDIT4\n[-HKEY_CURRENT_USER\\A]\n",         // key deletion
            "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=-\n", // value deletion
            "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=\"open\n",
            "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=\"x\"junk\n",
            "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=\"\\n\"\n", // not a REGEDIT4 escape
            "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=dword:123456789\n",
            "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=dword:\n",
            "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=dword:12g\n",
            "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=hex:1,2,\n",
            "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=hex:123\n",
            "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=hex(zz):00\n",
            "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=hex:01,\\\n",
            "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"dword:1\n",
            "REGEDIT4\n[HKEY_CURRENT_USER\\A]\nnonsense\n",
            "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=text\n",
            "\0\0\0\0",
        };
        for (const char* text : bad) {
            const ParseResult r = parse(std::string(text, text[0] ? std::strlen(text) : 4));
            QVERIFY2(!r.ok, text);
            QVERIFY(r.document.keys.empty());
        }
        QCOMPARE(parse("REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"a\"=dword:1\n\"b\"=hex:zz\n").error,
                 std::string("line 5: a value that cannot be read"));
    }

    void only_names_that_read_back_the_same_are_writable()
    {
        QVERIFY(writable_key_path(key_path));
        QVERIFY(!writable_key_path(""));
        QVERIFY(!writable_key_path("-HKEY_CURRENT_USER\\A"));
        QVERIFY(!writable_key_path("HKEY_CURRENT_USER\\A\nB"));
        QVERIFY(writable_value_name("say \"hi\""));
        QVERIFY(!writable_value_name("line\nbreak"));
    }
};

QTEST_GUILESS_MAIN(TestRegistryText)
#include "test_registry_text.moc"

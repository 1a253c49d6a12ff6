// The Windows registry back end, built with mingw-w64 and run under Wine:
// every type written and read back, and the checks that give the error
// texts. Standard library and Win32 only, so it needs no Qt for Windows.
#include "platform/registry_backend.h"
#include <cstdio>
#include <cstring>
#include <windows.h>

using namespace registry;

namespace {

int failures = 0;
int checks = 0;

void check(bool ok, const char* what, int line)
{
    ++checks;
    if (!ok) {
        ++failures;
        std::printf("FAIL line %d: %s\n", line, what);
    }
}
#define CHECK(x) check((x), #x, __LINE__)

const std::string test_key = "\\SOFTWARE\\Tessavue\\DioramixTest";
const wchar_t* test_key_w = L"SOFTWARE\\Tessavue\\DioramixTest";

// What the registry itself holds, read past the back end.
bool stored_as(const wchar_t* name, DWORD type, const void* data, DWORD size)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, test_key_w, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    BYTE buffer[256];
    DWORD got_type = 0;
    DWORD got_size = sizeof buffer;
    const LONG status = RegQueryValueExW(key, name, nullptr, &got_type, buffer, &got_size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && got_type == type && got_size == size && std::memcmp(buffer, data, size) == 0;
}

void set_raw(const wchar_t* name, DWORD type, const void* data, DWORD size)
{
    HKEY key;
    RegOpenKeyExW(HKEY_CURRENT_USER, test_key_w, 0, KEY_WRITE, &key);
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

} // namespace

int main()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, test_key_w);

    {
        auto missing = open_win32_key(test_key, false);
        CHECK(!missing->is_open());
        CHECK(!missing->query("eye_distance"));
        CHECK(!missing->set("eye_distance", dword_value(40)));
    }
    {
        auto key = open_win32_key(test_key, true);
        CHECK(key->is_open());
        CHECK(key->set("min_height", dword_value(-95)));
        CHECK(key->set("focus_angle", binary_value(double_bytes(0.1))));
        CHECK(key->set("show_condition", string_value("maximize")));
        CHECK(key->set("greek", string_value("C:\\Ελλάδα.sdf,")));
        CHECK(key->set("home", expand_string_value("%USERPROFILE%")));
        CHECK(key->set("short_text", string_value("40")));
        CHECK(key->set("long_text", string_value("1000")));
        CHECK(key->set("four", binary_value("1234")));
        CHECK(key->set("nine", binary_value("123456789")));
    }

    const std::int32_t minus95 = -95;
    CHECK(stored_as(L"min_height", REG_DWORD, &minus95, 4));
    CHECK(stored_as(L"show_condition", REG_SZ, L"maximize", 18)); // UTF-16 with its terminating zero
    CHECK(stored_as(L"home", REG_EXPAND_SZ, L"%USERPROFILE%", 28));
    set_raw(L"size_zero", REG_SZ, "", 0);
    set_raw(L"cut", REG_SZ, L"ab\0cd", 12);

    auto key = open_win32_key(test_key, false);
    CHECK(key->is_open());
    std::int32_t number = 0;
    std::string bytes;
    std::string text;
    CHECK(read_dword(key->query("min_height"), number) == ReadStatus::ok && number == -95);
    CHECK(read_dword(key->query("MIN_HEIGHT"), number) == ReadStatus::ok);
    CHECK(read_binary(key->query("focus_angle"), 8, bytes) == ReadStatus::ok && double_from_bytes(bytes) == 0.1);
    CHECK(read_string(key->query("show_condition"), text) == ReadStatus::ok && text == "maximize");
    CHECK(read_string(key->query("greek"), text) == ReadStatus::ok && text == "C:\\Ελλάδα.sdf,");
    CHECK(read_string(key->query("home"), text) == ReadStatus::ok && text == "%USERPROFILE%");
    CHECK(read_string(key->query("size_zero"), text) == ReadStatus::ok && text.empty());
    CHECK(read_string(key->query("cut"), text) == ReadStatus::ok && text == "ab");

    // The checks behind "Failed to get data" and "Invalid data type".
    CHECK(read_dword(key->query("absent"), number) == ReadStatus::get_failed);
    CHECK(read_dword(key->query("short_text"), number) == ReadStatus::invalid_type);
    CHECK(read_dword(key->query("long_text"), number) == ReadStatus::get_failed);
    CHECK(read_dword(key->query("focus_angle"), number) == ReadStatus::get_failed);
    CHECK(read_binary(key->query("four"), 8, bytes) == ReadStatus::invalid_type);
    CHECK(read_binary(key->query("nine"), 8, bytes) == ReadStatus::get_failed);
    CHECK(read_binary(key->query("min_height"), 8, bytes) == ReadStatus::invalid_type);
    CHECK(read_string(key->query("min_height"), text) == ReadStatus::invalid_type);
    CHECK(read_string(key->query("absent"), text) == ReadStatus::get_failed);

    key.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, test_key_w);
    std::printf("%s: %d checks, %d failed\n", failures ? "FAIL" : "PASS", checks, failures);
    return failures ? 1 : 0;
}

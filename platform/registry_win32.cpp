// The Windows registry behind the key interface. Text goes through the wide
// API and is handed over as UTF-8, so a path with any character survives.
#include "platform/registry_backend.h"
#include <cstring>
#include <windows.h>

namespace registry {

namespace {

std::wstring wide(const std::string& utf8)
{
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string narrow(const wchar_t* text, std::size_t length)
{
    if (length == 0) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out.data(), n, nullptr, nullptr);
    return out;
}

bool is_text(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

class Win32Key final : public KeyBackend {
public:
    Win32Key(const std::string& path, bool create)
    {
        std::string relative = path;
        while (!relative.empty() && relative.front() == '\\') relative.erase(0, 1);
        const std::wstring subkey = wide(relative);
        const REGSAM access = KEY_READ | KEY_WRITE;
        const LONG status = create
            ? RegCreateKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                              &key_, nullptr)
            : RegOpenKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, access, &key_);
        if (status != ERROR_SUCCESS) key_ = nullptr;
    }

    ~Win32Key() override
    {
        if (key_) RegCloseKey(key_);
    }

    bool is_open() const override { return key_ != nullptr; }

    std::optional<RawValue> query(const std::string& name) override
    {
        if (!key_) return std::nullopt;
        const std::wstring wname = wide(name);
        std::string data;
        DWORD type = 0;
        DWORD size = 0;
        // The value may grow between asking its size and reading it.
        for (int attempt = 0; attempt < 8; ++attempt) {
            LONG status = RegQueryValueExW(key_, wname.c_str(), nullptr, &type, nullptr, &size);
            if (status != ERROR_SUCCESS) return std::nullopt;
            data.assign(size, '\0');
            status = RegQueryValueExW(key_, wname.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
            if (status == ERROR_MORE_DATA) continue;
            if (status != ERROR_SUCCESS) return std::nullopt;
            data.resize(size);
            if (is_text(type)) {
                // UTF-16 as stored, to UTF-8 with its zeros where they were.
                std::wstring text(size / sizeof(wchar_t), L'\0');
                if (!text.empty()) std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
                data = narrow(text.data(), text.size());
            }
            return RawValue{type, data};
        }
        return std::nullopt;
    }

    bool set(const std::string& name, const RawValue& value) override
    {
        if (!key_) return false;
        std::string bytes = value.data;
        if (is_text(value.type)) {
            const std::wstring text = wide(value.data);
            bytes.assign(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
        }
        return RegSetValueExW(key_, wide(name).c_str(), 0, value.type, reinterpret_cast<const BYTE*>(bytes.data()),
                              static_cast<DWORD>(bytes.size()))
            == ERROR_SUCCESS;
    }

private:
    HKEY key_ = nullptr;
};

} // namespace

std::unique_ptr<KeyBackend> open_win32_key(const std::string& path, bool create)
{
    return std::make_unique<Win32Key>(path, create);
}

} // namespace registry

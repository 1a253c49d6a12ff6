#pragma once
// Registry keys under HKEY_CURRENT_USER: the Windows registry on Windows,
// the settings file elsewhere (and on Windows too when DIORAMIX_REGISTRY
// names a file). A failed read or write raises one of the errors below,
// which name the value and reach the general error handler.
#include "platform/errors.h"
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>

namespace registry {
class KeyBackend;
}

class RegistryError : public DioramixError {
    using DioramixError::DioramixError;
};

// Missing, unreadable, or larger than the value read into.
class RegistryGetError : public RegistryError {
public:
    explicit RegistryGetError(const QString& name);
};

// Fits, but is not of the type read.
class RegistryTypeError : public RegistryError {
public:
    explicit RegistryTypeError(const QString& name);
};

// `reason`, when the store gives one, follows the general text.
class RegistrySetError : public RegistryError {
public:
    explicit RegistrySetError(const QString& name, const QString& reason = QString());
};

// For a program that must leave the store as it finds it (dioramix-cli):
// keys are never created, every write fails, and a damaged settings file is
// reported and left in place. Set at start, before any key is opened.
void set_registry_read_only(bool read_only);

class RegistryKey {
public:
    // Opens `path` (e.g. "\SOFTWARE\Tessavue\Configuration") below
    // HKEY_CURRENT_USER, creating it when `create` is set. Never throws: a
    // key that cannot be opened finds no values and fails every write.
    RegistryKey(const QString& path, bool create);
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool is_open() const;

    // The size of the value's data; nothing when it does not exist.
    std::optional<int> data_size(const QString& name);
    bool value_exists(const QString& name) { return data_size(name).has_value(); }

    // REG_DWORD. A flag reads as set for any non-zero number.
    std::int32_t read_dword(const QString& name);
    bool read_flag(const QString& name) { return read_dword(name) != 0; }
    // REG_BINARY of exactly `size` bytes.
    QByteArray read_binary(const QString& name, int size);
    // REG_BINARY of 8 bytes: an IEEE 754 double, little-endian.
    double read_double(const QString& name);
    // REG_SZ or REG_EXPAND_SZ (not expanded), cut at the first zero character.
    QString read_string(const QString& name);

    void write_dword(const QString& name, std::int32_t number);
    void write_flag(const QString& name, bool flag) { write_dword(name, flag ? 1 : 0); }
    void write_binary(const QString& name, const QByteArray& bytes);
    void write_double(const QString& name, double number);
    void write_string(const QString& name, const QString& text);
    void write_expand_string(const QString& name, const QString& text);

    // What the store has to tell about itself, such as a damaged settings
    // file kept aside; each message is handed out once. The caller shows them.
    QStringList take_notices();

private:
    std::unique_ptr<registry::KeyBackend> backend_;
};

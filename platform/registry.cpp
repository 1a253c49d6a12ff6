#include "platform/registry.h"
#include "platform/registry_backend.h"
#include "platform/registry_file.h"
#include <QCoreApplication>
#include <atomic>

namespace {

std::atomic<bool> store_read_only{false};

std::string utf8(const QString& text)
{
    return text.toStdString();
}

std::unique_ptr<registry::KeyBackend> open_backend(const QString& path, bool create)
{
    const bool read_only = store_read_only;
    create = create && !read_only;
#ifdef _WIN32
    if (qEnvironmentVariableIsEmpty("DIORAMIX_REGISTRY")) return registry::open_win32_key(utf8(path), create);
#endif
    return registry::open_file_key(registry::settings_file_path(), utf8(path), create, read_only);
}

void check(registry::ReadStatus status, const QString& name)
{
    switch (status) {
    case registry::ReadStatus::ok: return;
    case registry::ReadStatus::get_failed: throw RegistryGetError(name);
    case registry::ReadStatus::invalid_type: throw RegistryTypeError(name);
    }
}

} // namespace

RegistryGetError::RegistryGetError(const QString& name)
    : RegistryError(QCoreApplication::translate("Registry", "Failed to get data for '%1'").arg(name))
{
}

RegistryTypeError::RegistryTypeError(const QString& name)
    : RegistryError(QCoreApplication::translate("Registry", "Invalid data type for '%1'").arg(name))
{
}

RegistrySetError::RegistrySetError(const QString& name, const QString& reason)
    : RegistryError(reason.isEmpty()
                        ? QCoreApplication::translate("Registry", "Failed to set data for '%1'").arg(name)
                        : QCoreApplication::translate("Registry", "Failed to set data for '%1'. %2").arg(name, reason))
{
}

void set_registry_read_only(bool read_only)
{
    store_read_only = read_only;
}

RegistryKey::RegistryKey(const QString& path, bool create) : backend_(open_backend(path, create)) {}

RegistryKey::~RegistryKey() = default;

bool RegistryKey::is_open() const
{
    return backend_->is_open();
}

std::optional<int> RegistryKey::data_size(const QString& name)
{
    const auto value = backend_->query(utf8(name));
    if (!value) return std::nullopt;
    return static_cast<int>(value->data.size());
}

std::int32_t RegistryKey::read_dword(const QString& name)
{
    std::int32_t number = 0;
    check(registry::read_dword(backend_->query(utf8(name)), number), name);
    return number;
}

QByteArray RegistryKey::read_binary(const QString& name, int size)
{
    std::string bytes;
    check(registry::read_binary(backend_->query(utf8(name)), static_cast<std::size_t>(qMax(size, 0)), bytes), name);
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

double RegistryKey::read_double(const QString& name)
{
    std::string bytes;
    check(registry::read_binary(backend_->query(utf8(name)), 8, bytes), name);
    return registry::double_from_bytes(bytes);
}

QString RegistryKey::read_string(const QString& name)
{
    std::string text;
    check(registry::read_string(backend_->query(utf8(name)), text), name);
    return QString::fromStdString(text);
}

namespace {
void store(registry::KeyBackend& backend, const QString& name, const registry::RawValue& value)
{
    if (store_read_only) throw RegistrySetError(name);
    if (!backend.set(utf8(name), value)) throw RegistrySetError(name, QString::fromStdString(backend.set_failure()));
}
} // namespace

void RegistryKey::write_dword(const QString& name, std::int32_t number)
{
    store(*backend_, name, registry::dword_value(number));
}

void RegistryKey::write_binary(const QString& name, const QByteArray& bytes)
{
    store(*backend_, name, registry::binary_value(bytes.toStdString()));
}

void RegistryKey::write_double(const QString& name, double number)
{
    store(*backend_, name, registry::binary_value(registry::double_bytes(number)));
}

void RegistryKey::write_string(const QString& name, const QString& text)
{
    store(*backend_, name, registry::string_value(utf8(text)));
}

void RegistryKey::write_expand_string(const QString& name, const QString& text)
{
    store(*backend_, name, registry::expand_string_value(utf8(text)));
}

QStringList RegistryKey::take_notices()
{
    QStringList notices;
    for (const std::string& n : backend_->take_notices()) notices << QString::fromStdString(n);
    return notices;
}

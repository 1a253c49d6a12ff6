#include "platform/registry_file.h"
#include "platform/durable_file.h"
#include "platform/registry_file_cache.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <set>
#include <utility>

namespace registry {

namespace {

constexpr int lock_wait_ms = 5000;

std::string store_key_path(std::string path)
{
    while (!path.empty() && path.front() == '\\') path.erase(0, 1);
    return "HKEY_CURRENT_USER\\" + path;
}

QString aside_name(const QString& file)
{
    const QString first = file + QStringLiteral(".corrupt");
    if (!QFileInfo::exists(first)) return first;
    for (int n = 1;; ++n) {
        const QString next = first + QLatin1Char('.') + QString::number(n);
        if (!QFileInfo::exists(next)) return next;
    }
}

SharedDocument empty_document()
{
    static const SharedDocument empty = std::make_shared<const StoreDocument>();
    return empty;
}

class FileKey final : public KeyBackend {
public:
    FileKey(const QString& file, const std::string& path, bool create, bool read_only)
        : file_(QFileInfo(file).absoluteFilePath()), path_(store_key_path(path)), read_only_(read_only)
    {
        const SharedDocument document = load();
        open_ = document && (create || document->find(path_));
    }

    bool is_open() const override { return open_; }

    std::optional<RawValue> query(const std::string& name) override
    {
        const SharedDocument document = open_ ? load() : nullptr;
        const StoreKey* key = document ? document->find(path_) : nullptr;
        const RawValue* value = key ? key->find(name) : nullptr;
        if (!value) return std::nullopt;
        return *value;
    }

    bool set(const std::string& name, const RawValue& value) override
    {
        failure_.clear();
        if (!open_ || !writable_key_path(path_) || !writable_value_name(name)) return false;
        if (!QDir().mkpath(QFileInfo(file_).absolutePath())) return false;
        QLockFile lock(file_ + QStringLiteral(".lock"));
        // A lock that cannot even be created means the folder is not
        // writable, which the write below reports; only a lock held by a
        // live program stops us.
        if (!lock.tryLock(lock_wait_ms) && lock.error() == QLockFile::LockFailedError) return false;
        const SharedDocument current = load(true);
        if (!current) return false;
        auto changed = std::make_shared<StoreDocument>(*current);
        changed->key(path_).set(name, value);
        const std::string text = format_store_text(*changed);
        const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
        const platform::DurableWrite write = platform::write_file_durably(file_, bytes);
        if (write.result == platform::DurableResult::Written) {
            remember_store(file_, file_stamp(file_), bytes, std::move(changed));
            return true;
        }
        // Told with the value that failed, not as a notice as well: the
        // user reads it once.
        failure_ = QCoreApplication::translate("SettingsFile",
                                               "The settings file '%1' could not be written: %2. It is left as it was.")
                       .arg(file_, write.error)
                       .toStdString();
        return false;
    }

    std::string set_failure() const override { return failure_; }

    std::vector<std::string> take_notices() override
    {
        return std::exchange(pending_, {});
    }

private:
    // The file as it is now, parsed again only when it changed. Nothing
    // when it exists but cannot be used, in which case nothing may be
    // written over it.
    SharedDocument load(bool locked = false)
    {
        const FileStamp stamp = file_stamp(file_);
        if (!stamp.exists) return empty_document();
        if (SharedDocument cached = cached_store(file_, stamp)) return cached;
        QFile in(file_);
        if (QFileInfo(file_).isDir() || !in.open(QIODevice::ReadOnly)) {
            const QString why = QFileInfo(file_).isDir() ? QCoreApplication::translate("SettingsFile", "it is a folder")
                                                         : in.errorString();
            notice(QCoreApplication::translate("SettingsFile", "The settings file '%1' cannot be opened: %2. "
                                                               "It is left as it is, and settings are not saved.")
                       .arg(file_, why));
            return nullptr;
        }
        const QByteArray bytes = in.readAll();
        if (in.error() != QFileDevice::NoError) {
            const QString why = in.errorString();
            notice(QCoreApplication::translate("SettingsFile", "The settings file '%1' cannot be read: %2. "
                                                               "It is left as it is, and settings are not saved.")
                       .arg(file_, why));
            return nullptr;
        }
        in.close();
        const auto size = static_cast<std::size_t>(bytes.size());
        ParseResult parsed = parse_store_text(std::string_view(bytes.constData(), size));
        if (parsed.ok) {
            auto document = std::make_shared<const StoreDocument>(std::move(parsed.document));
            remember_store(file_, stamp, bytes, document);
            return document;
        }
        const QString why = QString::fromStdString(parsed.error);
        if (read_only_) {
            notice(QCoreApplication::translate("SettingsFile",
                                               "The settings file '%1' cannot be read (%2). It is left as it is, "
                                               "and the settings keep their defaults.")
                       .arg(file_, why));
            return nullptr;
        }
        if (!locked) {
            // Look again under the lock: another program may be replacing the file just now.
            QLockFile lock(file_ + QStringLiteral(".lock"));
            lock.tryLock(lock_wait_ms);
            return load(true);
        }
        const QString aside = aside_name(file_);
        if (!QFile::rename(file_, aside)) {
            notice(QCoreApplication::translate("SettingsFile",
                                               "The settings file '%1' cannot be read (%2), and it could not be kept "
                                               "aside as '%3'. It is left as it is, and settings are not saved.")
                       .arg(file_, why, aside));
            return nullptr;
        }
        notice(QCoreApplication::translate("SettingsFile",
                                           "The settings file '%1' cannot be read (%2). It has been kept as '%3', "
                                           "and the settings start again from their defaults.")
                   .arg(file_, why, aside));
        return empty_document();
    }

    void notice(const QString& text)
    {
        const std::string utf8 = text.toStdString();
        if (told_.insert(utf8).second) pending_.push_back(utf8);
    }

    QString file_;
    std::string path_;
    bool read_only_ = false;
    bool open_ = false;
    std::vector<std::string> pending_;
    std::set<std::string> told_;
    std::string failure_;
};

} // namespace

QString settings_file_path()
{
    const QString chosen = qEnvironmentVariable("DIORAMIX_REGISTRY");
    if (!chosen.isEmpty()) return chosen;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    // A relative XDG_CONFIG_HOME is invalid and ignored.
    if (config.isEmpty() || QDir::isRelativePath(config)) config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/dioramix/registry.reg");
}

std::unique_ptr<KeyBackend> open_file_key(const QString& file, const std::string& path, bool create, bool read_only)
{
    return std::make_unique<FileKey>(file, path, create, read_only);
}

} // namespace registry

#pragma once
// One open registry key as a store provides it. The Windows registry and the
// settings file behind this same interface; the type checks and the error
// texts sit above it, once for both.
//
// Standard library only, like registry_value.h.
#include "platform/registry_value.h"
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace registry {

class KeyBackend {
public:
    virtual ~KeyBackend() = default;

    // False when the key could not be opened (or created): reads then find
    // nothing and writes fail.
    virtual bool is_open() const = 0;
    // The value with its type and all its data; nothing when it does not
    // exist or cannot be read.
    virtual std::optional<RawValue> query(const std::string& name) = 0;
    // False when the value could not be stored.
    virtual bool set(const std::string& name, const RawValue& value) = 0;
    // Why the last set() failed when the store can say more than that it
    // failed (a settings file the platform would not write, with its text),
    // in UTF-8; empty otherwise.
    virtual std::string set_failure() const { return {}; }
    // Things about the store itself the user should know (a damaged settings
    // file kept aside), in UTF-8; each is handed out once.
    virtual std::vector<std::string> take_notices() { return {}; }
};

#ifdef _WIN32
// `path` below HKEY_CURRENT_USER, UTF-8, with or without a leading backslash.
std::unique_ptr<KeyBackend> open_win32_key(const std::string& path, bool create);
#endif

} // namespace registry

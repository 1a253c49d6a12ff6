#pragma once
// The settings file: registry keys and values as text in the REGEDIT4 format,
// the one regedit imports:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\SOFTWARE\Tessavue\Configuration]
//   "eye_distance"=dword:00000028
//   "focus_angle"=hex:9a,99,99,99,99,99,b9,3f
//   "show_condition"="maximize"
//
// Text is kept as UTF-8 bytes. Keys and values are kept in the order found,
// including those of other programs; comments are not kept.
//
// Standard library only, so the parser can be fuzzed on its own.
#include "platform/registry_value.h"
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace registry {

// Key paths and value names compare like Windows compares them: ignoring
// the case of ASCII letters.
bool same_name(std::string_view a, std::string_view b);

// Positions in a list by name, compared as same_name() compares, so that a
// store of many keys is read in time linear in its size.
struct SameNameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const;
};
struct SameNameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return same_name(a, b); }
};
using NameIndex = std::unordered_map<std::string, std::size_t, SameNameHash, SameNameEqual>;

struct StoreValue {
    std::string name; // empty for a key's default value, written "@"
    RawValue value;
    bool operator==(const StoreValue&) const = default;
};

// The lists keep the order of the file; read them freely, but change them
// only through set() and key(), which keep the index beside them.
struct StoreKey {
    std::string path; // e.g. HKEY_CURRENT_USER\SOFTWARE\Tessavue\Configuration
    std::vector<StoreValue> values;
    bool operator==(const StoreKey& other) const { return path == other.path && values == other.values; }

    const RawValue* find(std::string_view name) const;
    // Replaces the value of that name in its place, or appends it.
    void set(const std::string& name, const RawValue& value);

private:
    // values.size() when there is none of that name.
    std::size_t position(std::string_view name) const;
    NameIndex index_; // empty while the key holds few values
};

struct StoreDocument {
    std::vector<StoreKey> keys;
    bool operator==(const StoreDocument& other) const { return keys == other.keys; }

    StoreKey* find(std::string_view path);
    const StoreKey* find(std::string_view path) const;
    // The key of that path, appended when missing.
    StoreKey& key(const std::string& path);

private:
    NameIndex index_;
};

struct ParseResult {
    bool ok = false;
    StoreDocument document;
    std::string error; // "line 3: ..." when not ok
};

// A file of blanks only is an empty document; anything that is not clean
// REGEDIT4 is an error, so a rewrite never drops what it did not understand.
ParseResult parse_store_text(std::string_view text);

std::string format_store_text(const StoreDocument& document);

// Whether a key path or value name can be written into the file and read
// back as it was (no control characters; a key path not empty and not
// starting with "-", which regedit reads as a deletion).
bool writable_key_path(std::string_view path);
bool writable_value_name(std::string_view name);

} // namespace registry

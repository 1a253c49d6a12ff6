#pragma once
// The registry on systems without one: a REGEDIT4 settings file, at the path
// in DIORAMIX_REGISTRY, else ${XDG_CONFIG_HOME:-$HOME/.config}/dioramix/registry.reg.
//
// The file is parsed once and kept in memory, shared by every key open on
// it; each read and write first looks whether the file changed since (its
// size, modification time and inode) and parses it again when it did, so
// values another program wrote meanwhile are seen and kept.
//
// Every write takes a lock beside the file, looks at the file again under
// the lock, and replaces it durably through a temporary file in the same
// folder, so a crash, a power cut or a full disk never leaves half a file. A
// write the platform refuses keeps the old file and gives its reason with
// the value's error. A file that cannot be parsed is renamed to
// registry.reg.corrupt (or .corrupt.1, ... when that exists) and the store
// starts empty; a file that cannot be read is left alone and nothing is
// written over it. A key opened read-only leaves a damaged file in place as
// well, and finds no values in it.
#include "platform/registry_backend.h"
#include <QString>

namespace registry {

QString settings_file_path();

// `path` is the key below HKEY_CURRENT_USER, UTF-8, e.g. "\SOFTWARE\Tessavue\Configuration".
std::unique_ptr<KeyBackend> open_file_key(const QString& file, const std::string& path, bool create, bool read_only);

} // namespace registry

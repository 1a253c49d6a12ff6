#pragma once
// The settings file as this program last read or wrote it, shared by every
// key open on it: keys read from memory, and the file is parsed again only
// once it has changed.
#include "platform/file_identity.h"
#include "platform/registry_text.h"
#include <QByteArray>
#include <QString>
#include <memory>

namespace registry {

using SharedDocument = std::shared_ptr<const StoreDocument>;

// What was last read from or written to `file` while the file still holds
// it: its stamp is `stamp`, and while that stamp is too recent to tell two
// writes in one tick of the file system's clock apart, its bytes are the
// same too. Nothing otherwise.
SharedDocument cached_store(const QString& file, const FileStamp& stamp);

// `document` read from `bytes` (the stamp taken before reading them), or
// written as `bytes` (the stamp taken after writing).
void remember_store(const QString& file, const FileStamp& stamp, const QByteArray& bytes, SharedDocument document);

} // namespace registry

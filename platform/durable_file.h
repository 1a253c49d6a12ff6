#pragma once
// Replacing a file so that "written" means the bytes are on the disk.
//
// QSaveFile alone can report success for bytes that never reached the disk
// (a full disk gave an empty file and a successful commit), so every step is
// checked: the bytes go to a temporary file beside the target, which is
// flushed and synced, then renamed over the target; on POSIX the folder is
// synced too, so that the rename itself survives a power cut. Any step that
// fails leaves the previous file as it was and no temporary file behind, and
// gives the platform's own text for the failure ("No space left on device").
// On POSIX the replaced file keeps a hidden second name, ".NAME.old-XXXX",
// until the folder is synced, so that a failed sync can put it back; one a
// crash left behind is removed by the next save of that file.
#include "platform/seam.h"
#include <QByteArrayView>
#include <QString>

namespace platform {

// The steps of a durable write, in their order.
enum class WriteStep { Write, Flush, Sync, Commit, SyncFolder };

enum class DurableResult {
    Written,
    NotCreated, // no temporary file could be made: a missing or closed folder, a file that may not be replaced
    Failed,     // a later step failed
};

struct DurableWrite {
    DurableResult result = DurableResult::Written;
    QString error; // the platform's text when not written
};

// Puts `bytes` at `path` (through symbolic links, as QSaveFile does). A
// replaced file keeps its permissions.
DurableWrite write_file_durably(const QString& path, QByteArrayView bytes);

// Asked before each step: an error number (errno) instead of 0 makes that
// step fail with the platform's text for it, without doing the step. Tests
// break a write at every step with it.
using WriteStepSeam = Seam<int(WriteStep)>;
WriteStepSeam& write_step_seam();

} // namespace platform

#pragma once
// Opening a document in the desktop's program for it (the manual in the
// web browser). A test puts a recorder in its place.
#include "platform/seam.h"

class QUrl;

// False when the desktop has no program for it.
bool open_url(const QUrl& url);

namespace platform {
using OpenUrlSeam = Seam<bool(const QUrl&)>;
OpenUrlSeam& open_url_seam();
}

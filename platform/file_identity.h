#pragma once
// Whether two paths name the same file, whichever symbolic links or ".."
// lead to it.
#include <QString>

// The file a path names: its canonical path, or its absolute path when
// there is no such file yet.
QString file_identity(const QString& path);

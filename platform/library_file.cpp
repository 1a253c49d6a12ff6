#include "platform/library_file.h"

QString library_file_name(const QString& base_name)
{
#if defined(Q_OS_WIN)
    return base_name + QStringLiteral(".dll");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("lib") + base_name + QStringLiteral(".dylib");
#else
    return QStringLiteral("lib") + base_name + QStringLiteral(".so");
#endif
}

#include "core/bitmap_path.h"
#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

bool is_file(const QString& path)
{
    return QFileInfo(path).isFile();
}

// The last part of the path; a drawing made on Windows separates folders by '\'.
QString file_name_of(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

} // namespace

QString resolve_bitmap_path(const QString& stored, const QString& drawing_folder)
{
    if (stored.isEmpty() || is_file(stored) || drawing_folder.isEmpty()) return stored;
    const QDir folder(drawing_folder);
    if (QDir::isRelativePath(stored)) {
        const QString beside = folder.filePath(stored);
        if (is_file(beside)) return beside;
    }
    const QString name = file_name_of(stored);
    if (!name.isEmpty()) {
        const QString by_name = folder.filePath(name);
        if (is_file(by_name)) return by_name;
    }
    return stored;
}

#include "document/node_cursors.h"
#include <QPixmap>

// The cursors live in the shell library's resources, which a static library
// must register before their first use (outside any namespace).
static void load_cursor_resources()
{
    static const bool loaded = [] {
        Q_INIT_RESOURCE(cursors);
        return true;
    }();
    (void)loaded;
}

namespace {

// Qt keeps loaded pixmaps in its cache, so asking again on every hover
// costs no decoding.
QCursor resource_cursor(const char* name, int hot_x, int hot_y, Qt::CursorShape fallback)
{
    load_cursor_resources();
    const QPixmap image(QStringLiteral(":/cursors/") + QLatin1String(name));
    return image.isNull() ? QCursor(fallback) : QCursor(image, hot_x, hot_y);
}

} // namespace

QCursor node_cursor(NodeCursor cursor)
{
    switch (cursor) {
    case NodeCursor::Rotate: return resource_cursor("ROT", 16, 16, Qt::PointingHandCursor);
    case NodeCursor::Crop: return resource_cursor("CROPC", 8, 8, Qt::CrossCursor);
    case NodeCursor::SizeAll: break;
    }
    return QCursor(Qt::SizeAllCursor);
}

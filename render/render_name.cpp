#include "render/render_name.h"
#include <algorithm>
#include <cstring>

QByteArray render_name(const QString& caption, int render_count)
{
    const qsizetype dot = caption.lastIndexOf(QLatin1Char('.'));
    QString base = caption;
    if (dot >= 0) base.remove(caption.mid(dot), Qt::CaseSensitive);
    const QByteArray suffix = "stereo" + QByteArray::number(render_count);

    // A name too long for the buffer loses the end of the caption, never the
    // count, and only whole characters (a surrogate pair is one).
    constexpr int limit = render_name_buffer_size - 1;
    QByteArray bytes = base.toLocal8Bit();
    while (!base.isEmpty() && bytes.size() + suffix.size() > limit) {
        base.chop(base.size() >= 2 && base.back().isLowSurrogate() ? 2 : 1);
        bytes = base.toLocal8Bit();
    }
    return (bytes + suffix).left(limit);
}

std::array<char, render_name_buffer_size> render_name_buffer(const QByteArray& name)
{
    std::array<char, render_name_buffer_size> buffer{};
    std::memcpy(buffer.data(), name.constData(), std::min<std::size_t>(name.size(), buffer.size() - 1));
    return buffer;
}

#include "veride/animation.h"
#include "platform/durable_file.h"
#include "veride/gif_animation.h"
#include "veride/webp_animation.h"
#include <QFileInfo>

QByteArray animation_format(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("gif") || suffix == QLatin1String("webp") ? suffix.toLatin1() : QByteArray();
}

std::unique_ptr<AnimationEncoder> animation_encoder(const QByteArray& format, int frame_ms)
{
    if (format == "gif") return std::make_unique<GifAnimation>(frame_ms);
    if (format == "webp") return std::make_unique<WebpAnimation>(frame_ms);
    return nullptr;
}

QString export_animation(AnimationEncoder& encoder, const QString& path)
{
    QByteArray bytes;
    const QString error = encoder.finish(bytes);
    if (!error.isEmpty()) return error;
    return platform::write_file_durably(path, bytes).error;
}

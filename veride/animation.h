#pragma once
// Animated pictures: frames of one size shown in turn, looping forever, as
// an animated GIF or an animated WebP. Frames are added one by one as they
// are rendered and the file is made at the end.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <memory>

// How long each frame shows. GIF keeps hundredths of a second, and browsers
// show frames shorter than 2 of them for a tenth of a second instead: the
// shortest frame is 20 ms.
inline constexpr int shortest_frame_ms = 20;
inline constexpr int longest_frame_ms = 60000;
inline constexpr int default_frame_ms = 100;

class AnimationEncoder {
public:
    virtual ~AnimationEncoder() = default;
    // Adds the next frame; every frame has the first one's size. The reason
    // it cannot, empty on success.
    virtual QString add(const QImage& frame) = 0;
    // The file's bytes once every frame is added; the reason they cannot be
    // made, empty on success.
    virtual QString finish(QByteArray& bytes) = 0;
};

// "gif" or "webp" by the extension of `path`, whatever its case; empty for
// any other.
QByteArray animation_format(const QString& path);

// An encoder for `format` ("gif" or "webp"), each frame shown `frame_ms`
// milliseconds; nothing for another format.
std::unique_ptr<AnimationEncoder> animation_encoder(const QByteArray& format, int frame_ms);

// The animation's file made and written durably to `path`: a failed write
// leaves the file that was there whole. The reason it was not written,
// empty on success.
QString export_animation(AnimationEncoder& encoder, const QString& path);

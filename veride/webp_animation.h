#pragma once
// An animated WebP through libwebp's animation encoder, lossless: random
// dots through a lossy codec blur into grey and lose their depth. The
// encoder keeps only the part of each frame that changed, and the
// animation loops forever.
#include "veride/animation.h"

struct WebPAnimEncoder;

class WebpAnimation : public AnimationEncoder {
public:
    explicit WebpAnimation(int frame_ms);
    ~WebpAnimation() override;
    WebpAnimation(const WebpAnimation&) = delete;
    WebpAnimation& operator=(const WebpAnimation&) = delete;

    QString add(const QImage& frame) override;
    QString finish(QByteArray& bytes) override;

private:
    int frame_ms_;
    int timestamp_ms_ = 0;
    QSize size_;
    WebPAnimEncoder* encoder_ = nullptr;
};

#pragma once
// An animated GIF, through giflib, made small for stereograms:
//  - one palette for the whole animation, so frames never carry their own:
//    the exact colours of every frame while there are at most 255 (random
//    dots have two, colour dots up to 256 minus one), otherwise a fixed
//    palette of a 6 x 6 x 6 colour cube and greys, reached by ordered
//    dithering. The dither depends on the pixel's place alone, so a pixel
//    that keeps its colour keeps its index and the frames still differ
//    only where the picture moved;
//  - each frame after the first holds only the rectangle that changed,
//    drawn over the one before ("do not dispose"), and inside it long runs
//    of pixels that did not change are transparent: one index repeated,
//    which LZW packs tightly;
//  - a NETSCAPE2.0 block that loops forever.
// Frames are kept as one palette index per pixel until the file is made.
#include "veride/animation.h"
#include <cstdint>
#include <unordered_map>
#include <vector>

class GifAnimation : public AnimationEncoder {
public:
    // The delay is kept in hundredths of a second, rounded to the nearest
    // (halves up), at least one.
    explicit GifAnimation(int frame_ms);

    QString add(const QImage& frame) override;
    QString finish(QByteArray& bytes) override;

private:
    std::uint8_t exact_index(std::uint32_t rgb);
    void dither_all();

    int delay_cs_;
    int width_ = 0, height_ = 0;
    bool dithered_ = false;
    std::vector<std::uint32_t> colours_; // the exact palette, 0xRRGGBB
    std::unordered_map<std::uint32_t, std::uint8_t> index_of_;
    std::vector<std::vector<std::uint8_t>> frames_;
};

// The fixed palette's index for a colour at pixel (x, y), ordered dithering.
std::uint8_t dithered_index(std::uint8_t r, std::uint8_t g, std::uint8_t b, int x, int y);

#pragma once
// How a stereogram is drawn, beside the viewing geometry of the settings:
// its pattern, its depth resolution, the way it is viewed and its guide
// marks. The defaults give the program's classic picture: two-colour random
// dots for wall-eyed viewing at whole-pixel depth steps, byte for byte.
#include "veride/pattern_table.h"
#include "veride/picture_layout.h"
#include <QImage>

struct PictureOptions {
    PatternKind pattern = PatternKind::Dots; // see the pattern table
    int colors = 2;             // ColorDots: 2 to 256
    QImage tile;                // Image: any size and format
    bool tile_own_size = false; // Image: keep the tile's size instead of fitting it to the repeat
    int oversample = 1;         // 1 to 8: separations in 1/k pixel steps
    bool cross_eyed = false;    // near parts repeat wider, for cross-eyed viewing
    bool guides = false;        // a strip with the two guide dots above the saved picture
    // The stereogram, or the scene's two views as a pair or an anaglyph;
    // views ignore oversampling and cross-eyed viewing, which only a
    // stereogram has.
    PictureLayout layout = PictureLayout::Stereogram;

    static constexpr int fewest_colors = 2;
    static constexpr int most_colors = 256;
    static constexpr int most_oversampling = 8;
};

#pragma once
// The two guide dots above a stereogram, drawn into a copy of it for saving
// and printing: black dots on a white strip, centred, as far apart as the
// zero level repeats. Looking through the picture until they fuse into
// three sets the eyes for it, as in the result window.
#include <QImage>

// The strip is four dot radii high; a dot's radius is 4 pixels, as in the
// result window, or a sixteenth of the spacing for a picture whose repeats
// are wider than 64 pixels (printer resolutions), so that they stay visible.
int guide_dot_radius(int separation_px);

// `stereogram` with the strip above it, in the same format; null stays null.
QImage picture_with_guides(const QImage& stereogram, int separation_px);

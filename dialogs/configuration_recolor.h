#pragma once
// Recolouring an object's pixels when the drawing colours change.
#include "core/color.h"
#include <QImage>

// Both replacements at once, so that colours that trade places (the old
// object colour being the new background, say) never merge: every pixel of
// `background_from` becomes `background_to`, and every other pixel of
// `object_from` becomes `object_to`.
void replace_two_colors(QImage& image, StoredColor background_from, StoredColor background_to, StoredColor object_from,
                        StoredColor object_to);

#pragma once
// An object's silhouette: its pixels reduced to one bit, white where the
// buffer holds the background colour and black elsewhere. Undo copies,
// drawing files and the clipboard keep objects this way, and every object
// read back from one is rebuilt by the same function.
#include "core/color.h"
#include <QImage>

// A 1-bit image (Format_Mono, colour table {black, white}) of the buffer's size.
QImage silhouette_mask(const QImage& buffer, StoredColor background);

// A 24-bit buffer rebuilt from a silhouette in today's colours: white
// becomes the background, black the object colour (any other colour is
// kept), then the outline pass gives the figure its black edge.
QImage buffer_from_silhouette(const QImage& silhouette, StoredColor background, StoredColor object_color);

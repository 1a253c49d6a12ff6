#pragma once
// Cut, copy and paste of one object through the system clipboard: the
// private block first, then the silhouette as an image for other programs.
// The commands themselves are the drawing window's copy_shape, cut_shape
// and paste_shape (document/clipboard.cpp).
#include <QImage>

class QMimeData;
class Shape;

// The clipboard contents for one object, in the order they are offered.
QMimeData* shape_mime_data(const Shape& shape);

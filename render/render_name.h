#pragma once
// The output name of a render: the drawing's caption with every occurrence
// of its extension removed, then "stereo" and the render count.
#include "render/render_request.h"
#include <QByteArray>
#include <QString>
#include <array>

// In the system's 8-bit encoding, cut to whole characters so that it fits
// the name buffer with its terminating zero.
QByteArray render_name(const QString& caption, int render_count);

std::array<char, render_name_buffer_size> render_name_buffer(const QByteArray& name);

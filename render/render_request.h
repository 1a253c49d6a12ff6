#pragma once
// The call into the stereogram renderer: RenderForm(request, configuration,
// panel dimensions, output name), each the address of a block.
//
// The request names the drawing's panel, its object list (back-most first)
// and the drawing window's colour. The references are pointers, so on a
// 64-bit system the block is 24 bytes: panel at 0, objects at 8, colour at 16.
// The panel is seen as a widget here; it tells its render count by the
// property "render_count", and the folder of the drawing's file (empty for a
// drawing never saved) by the dynamic property "drawing_folder", which the
// program sets whenever the drawing is read or saved.
#include "core/color.h"
#include <QList>
#include <cstddef>
#include <cstdint>

class QWidget;
class Shape;

struct RenderRequest {
    QWidget* panel = nullptr;
    QList<Shape*>* shapes = nullptr;
    StoredColor color = 0;
};
static_assert(offsetof(RenderRequest, shapes) == sizeof(void*));
static_assert(offsetof(RenderRequest, color) == 2 * sizeof(void*));

extern "C" {
typedef void RenderFormFunction(const void* request, const void* configuration, const void* dimensions,
                                const char* render_name);
}

inline constexpr const char* drawing_folder_property = "drawing_folder";

// The output name buffer: at most 99 single-byte characters and a zero.
inline constexpr int render_name_buffer_size = 100;

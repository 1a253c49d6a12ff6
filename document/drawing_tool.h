#pragma once
// The tools a drawing is edited with; the main window's tool bar chooses
// one for every drawing. Their rows are in document/drawing_tool_table.h.
#include <cstddef>

enum class DrawingTool { Pointer, Rectangle, Ellipse, Polygon, Text };

inline constexpr std::size_t drawing_tool_count = 5;

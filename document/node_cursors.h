#pragma once
// The cursors shown over an object's nodes in each edit mode.
#include "core/shape.h"
#include <QCursor>

// The four-way arrow for resize nodes, and the program's own cursors
// "ROT" and "CROPC" for rotate and crop nodes.
QCursor node_cursor(NodeCursor cursor);

#pragma once
// Make Stereogram: the render request for one drawing window.
class DrawingWindow;

// Builds the request, raises the drawing's render count, makes the output
// name and calls the renderer. When the renderer cannot be loaded, says so
// and leaves the count as it was.
void request_stereogram(DrawingWindow& drawing);

#pragma once
// What a drawing window must ask the window that holds it, because it needs
// the answer at once. Everything else it reports by its signals.
#include "document/drawing_tool.h"
#include <QByteArray>

class QImage;
class QString;

class DrawingWindow;

class DrawingHost {
public:
    virtual ~DrawingHost() = default;

    // The tool every drawing follows.
    virtual DrawingTool tool_mode() const = 0;
    // A press on a drawing that is not the active one makes it active first.
    virtual void activate_drawing(DrawingWindow* drawing) = 0;
    // The closing question's Yes: saves as Save does. False keeps the window.
    virtual bool save_before_close(DrawingWindow& drawing) = 0;
    // Writes a morphology bitmap the drawing made for its object where the
    // drawing keeps such bitmaps; returns the path for the morphology.
    // Throws the user's message when it cannot be written.
    virtual QByteArray keep_generated_bitmap(const DrawingWindow& drawing, const QString& object_name,
                                             const QImage& bitmap) = 0;
};

#pragma once
// A text typed on a drawing's panel with the text tool: shown on the
// outline layer with a caret while it is typed, made an object when it is
// finished.
#include <QPoint>
#include <QString>

class DrawingWindow;

class TextEntry {
public:
    explicit TextEntry(DrawingWindow& drawing) : drawing_(drawing) {}

    bool is_typing() const { return typing_; }
    const QString& text() const { return text_; }
    // Where the next character goes: 1 before the first one.
    int caret_index() const { return caret_index_; }

    // A text starts at `pos`, panel pixels, with the caret there.
    void start(QPoint pos);
    // Makes the typed text an object, when it shows anything.
    void finish();
    // Stops typing without making an object.
    void drop() { typing_ = false; }
    void type(QChar character);
    // Delete, Backspace, Left and Right while typing.
    void edit(int key);
    // Shows the text and the caret again, in the panel's font.
    void redraw();

private:
    void place_caret();

    DrawingWindow& drawing_;
    bool typing_ = false;
    QPoint position_;
    QString text_;
    int caret_index_ = 1;
};

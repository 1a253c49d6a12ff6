#pragma once
// A drawing's bounded undo and redo history of object changes. Each entry
// holds two states of one object; applying an entry restores one state,
// swaps the two and moves the entry to the other list, so the same entry
// serves for the way back.
#include "core/morphology.h"
#include "core/shape.h"
#include <QImage>
#include <QString>
#include <deque>
#include <functional>
#include <memory>

class DrawingWindow;

struct ShapeSnapshot {
    ShapeId shape = 0; // the object this state belongs to; 0 when it does not exist
    QString name;
    int left = 0;
    int top = 0;
    QImage mask; // 1-bit silhouette, the object's size
    int index = 0;
    Morphology morphology;
};

struct HistoryEntry {
    ShapeSnapshot before;
    ShapeSnapshot after;
    std::uint8_t rebuild = 0;
    QString caption;
};

class UndoHistory {
public:
    explicit UndoHistory(DrawingWindow* drawing) : drawing_(drawing) {}

    using EntryList = std::deque<std::unique_ptr<HistoryEntry>>; // newest first
    EntryList undo_list;
    EntryList redo_list;

    // Opens an entry at the front of the undo list. A new change empties the
    // redo list, so no redo entry can act on an object it no longer knows.
    HistoryEntry* create_entry(const QString& caption);
    // Fills `before` (which = 0) or `after` (which = 1) from the object;
    // no object gives an empty state.
    void take_snapshot(HistoryEntry* entry, int which, const Shape* shape) const;
    // Records a change of the object that rebuilds it: before, change, after.
    void record(Shape* shape, const QString& caption, const std::function<void()>& change);

    void apply(HistoryEntry* entry, bool redo);
    void undo();
    void redo();

private:
    void push_front(EntryList& list, std::unique_ptr<HistoryEntry> entry) const;
    Shape* build_shape(const ShapeSnapshot& state, const Shape* replaced);

    DrawingWindow* drawing_;
};

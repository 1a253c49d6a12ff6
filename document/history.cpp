#include "document/history.h"
#include "core/configuration.h"
#include "core/naming.h"
#include "core/silhouette.h"
#include "document/drawing_window.h"
#include <QComboBox>
#include <algorithm>

namespace {

// The configured length of each list; at least one entry, so that the entry
// being recorded is never the one trimmed away.
size_t history_limit()
{
    return static_cast<size_t>(std::max(1, Configuration.undohistory));
}

} // namespace

void UndoHistory::push_front(EntryList& list, std::unique_ptr<HistoryEntry> entry) const
{
    list.push_front(std::move(entry));
    while (list.size() > history_limit()) list.pop_back();
}

HistoryEntry* UndoHistory::create_entry(const QString& caption)
{
    auto entry = std::make_unique<HistoryEntry>();
    entry->caption = caption;
    HistoryEntry* raw = entry.get();
    redo_list.clear();
    push_front(undo_list, std::move(entry));
    return raw;
}

void UndoHistory::take_snapshot(HistoryEntry* entry, int which, const Shape* shape) const
{
    ShapeSnapshot state;
    if (shape) {
        state.shape = shape->id;
        state.name = shape->name;
        state.left = shape->left;
        state.top = shape->top;
        state.mask = silhouette_mask(shape->buffer, Configuration.background_color);
        state.index = static_cast<int>(drawing_->shapes.indexOf(shape));
        assign_morphology(shape->morphology, state.morphology);
    }
    (which == 0 ? entry->before : entry->after) = std::move(state);
}

void UndoHistory::record(Shape* shape, const QString& caption, const std::function<void()>& change)
{
    HistoryEntry* entry = create_entry(caption);
    take_snapshot(entry, 0, shape);
    change();
    take_snapshot(entry, 1, shape);
    entry->rebuild = 1;
}

Shape* UndoHistory::build_shape(const ShapeSnapshot& state, const Shape* replaced)
{
    auto* shape = new Shape(drawing_, Configuration.background_color);
    shape->id = state.shape;
    // A name taken meanwhile by another object is not taken twice.
    QStringList others = drawing_->shape_names();
    if (replaced) others.removeOne(replaced->name);
    shape->name = is_valid_identifier(state.name) && !others.contains(state.name) ? state.name
                                                                                  : next_shape_name(others);
    shape->left = state.left;
    shape->top = state.top;
    shape->width = state.mask.width();
    shape->height = state.mask.height();
    shape->buffer = buffer_from_silhouette(state.mask, Configuration.background_color, Configuration.object_color);
    assign_morphology(state.morphology, shape->morphology);
    return shape;
}

void UndoHistory::apply(HistoryEntry* entry, bool redo)
{
    DrawingWindow& d = *drawing_;
    Shape* live = d.find_shape(entry->after.shape);
    bool deselected = false;
    Shape* rebuilt = nullptr;

    if (entry->rebuild == 1) {
        if (entry->before.shape != 0) rebuilt = build_shape(entry->before, live);
        if (live) {
            if (live == d.current_shape) {
                d.deselect_shape(live);
                deselected = true;
            }
            d.remove_shape(live);
        }
        if (rebuilt) {
            const qsizetype at = std::clamp<qsizetype>(entry->before.index, 0, d.shapes.size());
            d.shapes.insert(at, rebuilt);
            d.panel->update_pixels(rebuilt->bounds());
        }
    } else if (live) {
        QStringList others = d.shape_names();
        others.removeOne(live->name);
        if (!others.contains(entry->before.name) && is_valid_identifier(entry->before.name))
            live->name = entry->before.name;
        assign_morphology(entry->before.morphology, live->morphology);
    }

    emit d.shapes_changed();
    if (deselected && rebuilt) {
        d.select_shape(rebuilt);
        rebuilt->edit_mode = EditMode::Crop;
        d.cycle_edit_mode(rebuilt);
    }

    std::swap(entry->before, entry->after);
    EntryList& from = redo ? redo_list : undo_list;
    EntryList& to = redo ? undo_list : redo_list;
    const auto found = std::find_if(from.begin(), from.end(), [entry](const auto& e) { return e.get() == entry; });
    if (found != from.end()) {
        std::unique_ptr<HistoryEntry> moving = std::move(*found);
        from.erase(found);
        push_front(to, std::move(moving));
    }
    d.modified = 1;
    d.mark_changed();
}

void UndoHistory::undo()
{
    if (!undo_list.empty()) apply(undo_list.front().get(), false);
}

void UndoHistory::redo()
{
    if (!redo_list.empty()) apply(redo_list.front().get(), true);
}

// Import From File: chosen objects of another drawing file join the active
// drawing at the panel's top-left corner, renamed where their names clash.
#include "app/import_dialog.h"
#include "app/main_window.h"
#include "core/configuration.h"
#include "core/naming.h"
#include "core/object_size.h"
#include "core/shape.h"
#include "document/drawing_window.h"
#include "files/drawing_reader.h"
#include "files/shape_from_record.h"
#include "platform/errors.h"
#include "platform/input_box.h"
#include "platform/message_box.h"
#include "platform/regular_file.h"
#include <QCoreApplication>
#include <QScopeGuard>
#include <QtEndian>
#include <memory>
#include <vector>

namespace {

// Header and first record as an import needs them: all five header fields
// above zero and a first record of size 356.
bool is_importable(QByteArrayView bytes)
{
    if (bytes.size() < DrawingHeader::byte_size + ShapeRecord::byte_size) return false;
    const DrawingHeader h = DrawingHeader::from_bytes(bytes.data());
    return h.width_mm > 0 && h.height_mm > 0 && h.width_px > 0 && h.height_px > 0 && h.object_count > 0
        && qFromLittleEndian<std::int32_t>(bytes.data() + DrawingHeader::byte_size) == ShapeRecord::byte_size;
}

// Asks until the user confirms a new, valid name for an object whose name
// `taken` is in use; proposes the drawing's next default name.
QString ask_new_name(const QString& taken, const QString& proposal)
{
    for (;;) {
        QString text = proposal;
        const bool ok = input_box(QCoreApplication::translate("MainWindow", "New Object Name"),
                                  QCoreApplication::translate("MainWindow", "Name '%1' already exists. Enter a new name.")
                                      .arg(taken),
                                  text);
        if (!ok || text.isEmpty()) continue;
        if (is_valid_identifier(text)) return text;
        message_box(QCoreApplication::translate("MainWindow", "''%1'' is not a valid component name").arg(text), MessageKind::Error,
                    MessageButtons::Ok);
    }
}

} // namespace

void MainWindow::import_objects()
{
    DrawingWindow* drawing = active_drawing_;
    if (!drawing || !drawing->panel || !import_dialog) return;
    open_dialog_.title = tr("Import objects from file");
    QByteArray bytes;
    for (;;) {
        if (!open_dialog_.execute()) return;
        platform::FileContents file = platform::read_regular_file(open_dialog_.file_name, largest_drawing_file);
        if (!file.error.isEmpty()) throw DioramixError(file.error);
        bytes = std::move(file.bytes);
        if (is_importable(bytes)) break;
        message_box(tr("Not a valid file. Press button to try again."), MessageKind::Error,
                    MessageButtons::Ok);
    }

    const DrawingContents contents = read_drawing(bytes);
    if (contents.problem == ReadProblem::TooLarge) {
        message_box(drawing_too_large_text(contents.object_pixels), MessageKind::Error, MessageButtons::Ok);
        return;
    }
    if (contents.problem != ReadProblem::None)
        message_box(tr("Error loading file."), MessageKind::Error, MessageButtons::Ok);
    std::vector<std::unique_ptr<Shape>> read;
    ImportDialog& form = *import_dialog;
    form.import_shapes.clear();
    form.import_marks.clear();
    form.import_names.clear();
    // The dialog's list points at the objects read here: it is emptied
    // however this ends.
    const auto forget_read = qScopeGuard([&form] {
        form.import_shapes.clear();
        form.import_marks.clear();
    });
    for (const DrawingEntry& entry : contents.entries) {
        read.push_back(shape_from_entry(drawing, entry, Configuration.background_color, Configuration.object_color));
        read.back()->set_bounds(0, 0, entry.record.width, entry.record.height);
        form.import_shapes.append(read.back().get());
        form.import_marks.append(false);
        form.import_names.append(QString::fromLatin1(entry.record.name));
    }

    if (form.execute() == 0) {
        std::int64_t chosen_pixels = 0;
        for (size_t k = 0; k < read.size(); ++k)
            if (form.import_marks.value(static_cast<qsizetype>(k)))
                chosen_pixels += std::int64_t(read[k]->width) * read[k]->height;
        check_drawing_pixels(drawing->object_pixels() + chosen_pixels);
        bool added = false;
        for (size_t k = 0; k < read.size(); ++k) {
            if (!form.import_marks.value(static_cast<qsizetype>(k))) continue;
            QString& name = form.import_names[static_cast<qsizetype>(k)];
            // A stored name that cannot be an object name is replaced first.
            if (!is_valid_identifier(name)) name = next_shape_name(drawing->shape_names());
            while (drawing->shape_names().contains(name)) {
                const QString proposal = next_shape_name(drawing->shape_names());
                read[k]->name = proposal;
                name = ask_new_name(name, proposal);
            }
            read[k]->name = name;
            drawing->panel->update_pixels(read[k]->bounds());
            drawing->shapes.append(read[k].release());
            // Imported objects are work that closing must not drop unasked.
            drawing->modified = 1;
            added = true;
        }
        if (added) drawing->mark_changed();
    }
    fill_object_names();
}

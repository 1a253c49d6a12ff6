// Saving a drawing window to its drawing file and reading one into a new
// drawing window, with the messages of both flows.
#include "app/main_window.h"
#include "app/generated_bitmaps.h"
#include "core/configuration.h"
#include "core/object_size.h"
#include "core/panel_dimensions.h"
#include "core/shape.h"
#include "document/drawing_window.h"
#include "files/drawing_reader.h"
#include "files/drawing_writer.h"
#include "files/shape_from_record.h"
#include "platform/file_identity.h"
#include "platform/message_box.h"
#include "platform/regular_file.h"
#include "render/render_request.h"
#include "veride/depth_map.h"
#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QFileInfo>
#include <memory>
#include <new>
#include <vector>

namespace {

QString file_name_of(const QString& path)
{
    return QFileInfo(path).fileName();
}

// Nothing is written that reading the file again would refuse.
void check_savable(const QList<Shape*>& shapes)
{
    std::int64_t pixels = 0;
    for (const Shape* shape : shapes) {
        check_object_size(shape->width, shape->height);
        pixels += std::int64_t(shape->width) * shape->height;
    }
    check_drawing_pixels(pixels);
}

// The renderer, the live preview and the open-time check look for the
// drawing's morphology bitmaps in its folder.
void remember_folder(DrawingWindow& drawing, const QString& path)
{
    drawing.panel->setProperty(drawing_folder_property, QFileInfo(path).absolutePath());
}

// "name: stored path" of every object whose morphology bitmap cannot be read.
QStringList unreadable_bitmaps(const QList<Shape*>& shapes, const QString& folder)
{
    const BitmapReader read = bitmap_reader_for(folder);
    QHash<QString, bool> readable;
    QStringList lines;
    for (const Shape* shape : shapes) {
        if (shape->morphology.flat_surface == 1) continue;
        const QString path = QString::fromLocal8Bit(shape->morphology.bitmap_file);
        auto known = readable.constFind(path);
        if (known == readable.constEnd()) known = readable.insert(path, !read(path).isNull());
        if (!*known) lines << QStringLiteral("%1: %2").arg(shape->name, path);
    }
    return lines;
}

QString unreadable_bitmaps_message(const QStringList& objects)
{
    return QCoreApplication::translate("MainWindow",
                                       "The morphology bitmaps of these objects cannot be read, so they lie flat "
                                       "at height 0 in the stereogram:\n%1")
        .arg(objects.join(QLatin1Char('\n')));
}

} // namespace

bool MainWindow::save_drawing(DrawingWindow& drawing, bool choose_path)
{
    if (drawing.shapes.isEmpty()) {
        message_box(tr("No objects in drawing. Action canceled."), MessageKind::Plain, MessageButtons::Ok);
        return false;
    }
    const qsizetype index = drawings_.indexOf(&drawing);
    if (index < 0 || index >= drawing_names_.size()) {
        message_box(tr("Internal Error. Action canceled. Contact the creator of the program."),
                    MessageKind::Error, MessageButtons::Ok);
        return false;
    }
    check_savable(drawing.shapes);
    const bool by_dialog = !(drawing.has_file == 1 && !choose_path) || drawing.save_needs_path;
    QString path;
    if (!by_dialog) {
        path = drawing_names_[index];
    } else {
        save_dialog_.start_folder = drawing_dialog_folder(&drawing);
        save_dialog_.file_name = drawing.has_file == 1 ? file_name_of(drawing_names_[index]) : drawing.windowTitle();
        if (!save_dialog_.execute()) return false;
        path = save_dialog_.file_name;
        // Compared as files, so that no path through a link overwrites
        // another open drawing's file.
        const QString file = file_identity(path);
        for (qsizetype i = 0; i < drawing_names_.size(); ++i) {
            if (i != index && QDir::isAbsolutePath(drawing_names_[i])
                && file_identity(drawing_names_[i]) == file) {
                message_box(tr("Another drawing with specified filename is open. Action canceled."),
                            MessageKind::Plain, MessageButtons::Ok);
                return false;
            }
        }
        if (QFileInfo::exists(path)
            && message_box(tr("File already exists. Replace it?"), MessageKind::Plain,
                           MessageButtons::YesNo) != MessageResult::Yes)
            return false;
    }

    // Bitmaps the program made while the drawing had no folder go beside
    // it, so that the drawing and its folder hold all it needs.
    BitmapsBeside bitmaps(drawing.shapes, path);
    if (!bitmaps.error.isEmpty()) {
        message_box(bitmaps.error, MessageKind::Error, MessageButtons::Ok);
        return false;
    }
    bitmaps.take();
    const DrawingHeader panel_size{drawing.panel->width_mm, drawing.panel->height_mm, drawing.panel->pixel_size().width(), drawing.panel->pixel_size().height(), 0};
    FileWrite write;
    try {
        write = write_file_replacing(path, drawing_file_bytes(panel_size, drawing.shapes, Configuration.background_color));
    } catch (...) {
        bitmaps.put_back();
        throw;
    }
    if (write.result != FileWriteResult::Written) bitmaps.put_back();
    if (write.result == FileWriteResult::CouldNotCreate) {
        message_box(tr("Could not create file. Action canceled."), MessageKind::Error, MessageButtons::Ok);
        return false;
    }
    if (write.result == FileWriteResult::Failed) {
        message_box(write.error, MessageKind::Error, MessageButtons::Ok);
        return false;
    }

    // The drawing counts as saved before the history is stored, so that a
    // registry failure there cannot make a written file look unsaved.
    drawing.setWindowTitle(file_name_of(path));
    drawing.has_file = 1;
    drawing.modified = 0;
    drawing.save_needs_path = false;
    remember_folder(drawing, path);
    if (by_dialog) {
        drawing_names_[index] = path;
        remember_file(path);
    }
    return true;
}

bool MainWindow::load_drawing(DrawingWindow& drawing, const QString& path)
{
    drawing.setWindowTitle(file_name_of(path));
    // Only a regular file is read: a FIFO would wait for a writer for ever.
    const platform::FileContents file = platform::read_regular_file(path, largest_drawing_file);
    if (!file.error.isEmpty()) {
        message_box(file.error, MessageKind::Error, MessageButtons::Ok);
        return false;
    }
    const QByteArray& bytes = file.bytes;
    const DrawingContents contents = read_drawing(bytes);
    if (contents.problem == ReadProblem::TooLarge) {
        message_box(drawing_too_large_text(contents.object_pixels), MessageKind::Error, MessageButtons::Ok);
        return false;
    }
    if (!contents.header || !is_usable_panel(*contents.header)) {
        message_box(tr("Error loading file."), MessageKind::Error, MessageButtons::Ok);
        return false;
    }
    // Every object is rebuilt before the drawing takes any, so that running
    // out of memory half-way leaves nothing behind.
    std::vector<std::unique_ptr<Shape>> rebuilt;
    try {
        for (const DrawingEntry& entry : contents.entries)
            rebuilt.push_back(shape_from_entry(&drawing, entry, Configuration.background_color, Configuration.object_color));
    } catch (const std::bad_alloc&) {
        message_box(tr("Out of memory."), MessageKind::Error, MessageButtons::Ok);
        return false;
    }
    const DrawingHeader& header = *contents.header;
    PanelDimensions = PanelDimensionsRecord{header.width_mm, header.height_mm, header.width_px, header.height_px};
    drawing.create_panel();
    remember_folder(drawing, path);
    for (size_t i = 0; i < rebuilt.size(); ++i) {
        rebuilt[i]->name = stored_or_default_name(contents.entries[qsizetype(i)].record.name, drawing.shape_names());
        drawing.shapes.append(rebuilt[i].release());
    }
    drawing.panel->update();
    // What was read stays, but the damaged file is not overwritten by a
    // plain Save without the user choosing where.
    drawing.save_needs_path = contents.problem != ReadProblem::None;
    if (drawing.save_needs_path) message_box(tr("Error loading file."), MessageKind::Error, MessageButtons::Ok);
    drawing.has_file = 1;
    drawing.modified = 0;
    drawing.mark_changed();
    const QStringList unreadable = unreadable_bitmaps(drawing.shapes, QFileInfo(path).absolutePath());
    if (!unreadable.isEmpty())
        message_box(unreadable_bitmaps_message(unreadable), MessageKind::Error, MessageButtons::Ok);
    return true;
}

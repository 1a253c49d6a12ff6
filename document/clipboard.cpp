#include "document/clipboard.h"
#include "core/configuration.h"
#include "core/shape.h"
#include "core/silhouette.h"
#include "document/drawing_window.h"
#include "files/clipboard_block.h"
#include "files/shape_from_record.h"
#include "platform/beep.h"
#include "platform/message_box.h"
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

QMimeData* shape_mime_data(const Shape& shape)
{
    auto* data = new QMimeData;
    const QByteArray block = clipboard_block(shape, Configuration.background_color);
    data->setData(clipboard_format_name, block);
    data->setData(clipboard_format_alias, block);
    data->setImageData(silhouette_mask(shape.buffer, Configuration.background_color));
    return data;
}

void DrawingWindow::copy_shape()
{
    if (!current_shape) return;
    QGuiApplication::clipboard()->setMimeData(shape_mime_data(*current_shape));
}

void DrawingWindow::cut_shape()
{
    if (!current_shape) return;
    copy_shape();
    delete_shape();
}

void DrawingWindow::paste_shape()
{
    if (!panel) return;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QStringList formats = data ? data->formats() : QStringList();
    std::optional<DrawingEntry> entry;
    if (!formats.isEmpty() && is_private_clipboard_format(formats.first()))
        entry = read_clipboard_block(data->data(formats.first()));
    if (!entry) {
        beep();
        message_box(tr("Invalid data format."), MessageKind::Error, MessageButtons::Ok);
        return;
    }
    check_pixels_for(nullptr, entry->record.width, entry->record.height);
    std::unique_ptr<Shape> shape =
        shape_from_entry(this, *entry, Configuration.background_color, Configuration.object_color);
    shape->name = stored_or_default_name(entry->record.name, shape_names());
    panel->update_pixels(shape->bounds());
    shapes.append(shape.release());
    // A pasted object is work that closing must not drop unasked.
    modified = 1;
    emit shapes_changed();
    mark_changed();
}

#include "document/text_entry.h"
#include "core/configuration.h"
#include "core/raster.h"
#include "core/transforms.h"
#include "core/shape.h"
#include "document/drawing_window.h"
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

void TextEntry::start(QPoint pos)
{
    DrawingPanel& panel = *drawing_.panel;
    panel.create_caret(2, QFontInfo(panel.font).pixelSize());
    panel.set_caret_pos(pos.x(), pos.y());
    text_.clear();
    typing_ = true;
    position_ = pos;
    caret_index_ = 1;
}

void TextEntry::place_caret()
{
    DrawingPanel& panel = *drawing_.panel;
    const QFontMetrics metrics(panel.font);
    panel.set_caret_pos(position_.x() + metrics.horizontalAdvance(text_.left(caret_index_ - 1)), position_.y());
}

void TextEntry::redraw()
{
    DrawingPanel& panel = *drawing_.panel;
    panel.repaint_panel();
    panel.layer.add_text(position_, text_, panel.font, panel.font_color, Configuration.background_color);
    place_caret();
}

void TextEntry::type(QChar character)
{
    if (!typing_ || character == QChar(0x08)) return;
    text_.insert(caret_index_ - 1, character);
    ++caret_index_;
    redraw();
}

void TextEntry::edit(int key)
{
    switch (key) {
    case Qt::Key_Delete:
        if (caret_index_ <= text_.size()) text_.remove(caret_index_ - 1, 1);
        break;
    case Qt::Key_Backspace:
        if (caret_index_ > 1) {
            text_.remove(caret_index_ - 2, 1);
            --caret_index_;
        }
        break;
    case Qt::Key_Left: caret_index_ = qMax(1, caret_index_ - 1); break;
    case Qt::Key_Right: caret_index_ = qMin(int(text_.size()) + 1, caret_index_ + 1); break;
    default: break;
    }
    redraw();
}

void TextEntry::finish()
{
    DrawingPanel& panel = *drawing_.panel;
    panel.destroy_caret();
    panel.repaint_panel();
    typing_ = false;
    if (text_.isEmpty()) return;
    const QFontMetrics metrics(panel.font);
    const int width = metrics.horizontalAdvance(text_);
    const int height = metrics.height();
    if (width <= 0 || height <= 0) return;
    drawing_.check_pixels_for(nullptr, width, height);
    QImage pixels = make_buffer(width, height, Configuration.background_color);
    require_pixels(pixels);
    {
        QPainter painter(&pixels);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(panel.font);
        painter.setPen(to_qcolor(Configuration.object_color));
        painter.drawText(QRect(0, 0, width, height), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text_);
    }
    // Spaces or zero-width characters alone leave nothing to stand in depth.
    if (!content_bounds(pixels, Configuration.background_color)) return;
    outline_pass(pixels, Configuration.background_color, Configuration.object_color, color_black);
    drawing_.modified = 1;
    drawing_.create_shape(position_.x(), position_.y(), width, height)->buffer = std::move(pixels);
    drawing_.mark_changed();
}

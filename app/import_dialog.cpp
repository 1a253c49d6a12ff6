#include "app/import_dialog.h"
#include "core/configuration.h"
#include "core/shape.h"
#include "platform/modal.h"
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <algorithm>

ImportDialog* import_dialog = nullptr;

QRect thumbnail_rect(int side, int width, int height)
{
    const double s = double(side) / std::max(width, height);
    const double half = side / 2.0;
    const int left = static_cast<int>(half - width / 2.0 * s + 0.5);
    const int top = static_cast<int>(half - height / 2.0 * s + 0.5);
    const int right = static_cast<int>(half + width / 2.0 * s + 0.5);
    const int bottom = static_cast<int>(half + height / 2.0 * s + 0.5);
    return QRect(left, top, right - left, bottom - top);
}

QSize preview_size(int width, int height)
{
    const double s = std::min(1.0, double(ImportDialog::preview_side) / std::max(width, height));
    return QSize(static_cast<int>(width * s + 0.5), static_cast<int>(height * s + 0.5));
}

namespace {

// A dark check mark on white, combined with the row by AND so only the mark shows.
QImage make_check_mark()
{
    QImage mark(24, 24, QImage::Format_RGB32);
    mark.fill(Qt::white);
    QPainter painter(&mark);
    painter.setPen(QPen(Qt::black, 3));
    painter.drawPolyline(QPolygon({QPoint(4, 12), QPoint(10, 18), QPoint(20, 5)}));
    return mark;
}

// Paints a row as the list's owner: check column, name, thumbnail, mark
// and the highlight frame in the drawing's background colour.
class ObjectRowDelegate : public QStyledItemDelegate {
public:
    explicit ObjectRowDelegate(ImportDialog* form) : QStyledItemDelegate(form), form_(form) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QRect r = option.rect;
        const int k = index.row();
        const int m = form_->check_mark.width();
        const int h = ImportDialog::item_height;
        const bool highlighted = option.state & QStyle::State_Selected;
        const QColor background = to_qcolor(Configuration.background_color);
        painter->save();
        painter->fillRect(r, Qt::white);
        painter->fillRect(QRect(QPoint(0, r.top()), QPoint(m + 3, r.bottom())), QApplication::palette().button());
        if (k < form_->thumbnails.size()) {
            const QImage& thumbnail = form_->thumbnails[k];
            painter->drawImage(form_->object_list->viewport()->width() - thumbnail.width() - 2, r.top() + 2, thumbnail);
        }
        painter->setPen(highlighted ? background : QColor(Qt::black));
        const QRect text_area(QPoint(m + 4, r.top()), QPoint(r.right() - form_->thumbnail_size - 6, r.bottom()));
        painter->setClipRect(text_area);
        const QFontMetrics metrics(option.font);
        const int y = r.top() + static_cast<int>((h - metrics.height()) / 2.0 + 0.5);
        painter->drawText(m + 8, y + metrics.ascent(), index.data().toString());
        painter->setClipping(false);
        if (form_->import_marks.value(k)) {
            painter->setCompositionMode(QPainter::RasterOp_SourceAndDestination);
            painter->drawImage(2, r.top() + static_cast<int>((h - m) / 2.0 + 0.5), form_->check_mark);
            painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        if (highlighted) {
            painter->setPen(background);
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(r.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return QSize(form_->object_list->viewport()->width(), ImportDialog::item_height);
    }

private:
    ImportDialog* form_;
};

} // namespace

ImportDialog::ImportDialog()
{
    setObjectName(QStringLiteral("import_dialog"));
    setWindowTitle(tr("Import Objects"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    objects_label = new QLabel(tr("List of objects in selected file"), this);
    objects_label->setGeometry(16, 12, 241, 16);
    object_list = new QListWidget(this);
    object_list->setObjectName(QStringLiteral("object_list"));
    object_list->setGeometry(16, 32, 241, 185);
    QFont list_font = object_list->font();
    list_font.setPixelSize(16);
    object_list->setFont(list_font);
    object_list->setUniformItemSizes(true);
    object_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    object_list->setToolTip(tr("Tongle selection of highlighted object by clicking on it"));
    object_list->setItemDelegate(new ObjectRowDelegate(this));
    connect(object_list, &QListWidget::itemClicked, this, [this] { on_object_clicked(); });

    preview_caption_label = new QLabel(tr("Object preview"), this);
    preview_caption_label->setGeometry(272, 12, 138, 16);
    preview_frame = new QFrame(this);
    preview_frame->setGeometry(272, 32, 138, 138);
    preview_frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    preview_frame->setAutoFillBackground(true);
    preview_frame->setToolTip(tr("Preview of currently highlighted object"));
    preview_label = new QLabel(preview_frame);
    preview_label->setGeometry(4, 4, preview_side, preview_side);
    preview_label->setAlignment(Qt::AlignCenter);
    check_mark = make_check_mark();

    ok_button = new QPushButton(tr("Ok"), this);
    ok_button->setGeometry(272, 192, 75, 25);
    ok_button->setDefault(true);
    cancel_button = new QPushButton(tr("Cancel"), this);
    cancel_button->setGeometry(356, 192, 75, 25);
    connect(ok_button, &QPushButton::clicked, this, &ImportDialog::on_ok_clicked);
    connect(cancel_button, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(cancel_button->geometry().right() + 1 + 32, cancel_button->geometry().bottom() + 1 + 32);
}

int ImportDialog::last_clicked() const
{
    return last_clicked_;
}

std::uint8_t ImportDialog::execute()
{
    fill_list();
    show_modal(*this);
    empty_list();
    return cancelled;
}

void ImportDialog::fill_list()
{
    // Anything but Ok counts as Cancel, the close box included.
    cancelled = 1;
    QPalette colours = preview_frame->palette();
    colours.setColor(QPalette::Window, to_qcolor(Configuration.background_color));
    preview_frame->setPalette(colours);
    const int t = thumbnail_size;
    for (qsizetype k = 0; k < import_shapes.size(); ++k) {
        const Shape* shape = import_shapes[k];
        QImage thumbnail(t, t, QImage::Format_RGB888);
        thumbnail.fill(to_qcolor(Configuration.background_color));
        {
            QPainter painter(&thumbnail);
            painter.drawImage(thumbnail_rect(t, shape->width, shape->height), shape->buffer);
        }
        thumbnails.append(thumbnail);
        object_list->addItem(import_names.value(k));
    }
    last_clicked_ = -1;
    object_list->setCurrentRow(-1);
    object_list->clearSelection();
    preview_label->clear();
}

void ImportDialog::empty_list()
{
    thumbnails.clear();
    object_list->clear();
    preview_label->clear();
}

void ImportDialog::on_object_clicked()
{
    const int i = object_list->currentRow();
    if (i >= 0 && i < import_marks.size() && i == last_clicked_) import_marks[i] = !import_marks[i];
    last_clicked_ = i;
    object_list->viewport()->update();
    update_preview();
}

void ImportDialog::update_preview()
{
    const int i = object_list->currentRow();
    if (i < 0 || i >= import_shapes.size() || !object_list->currentItem()->isSelected()) {
        preview_label->clear();
        return;
    }
    const Shape* shape = import_shapes[i];
    QImage preview(preview_size(shape->width, shape->height), QImage::Format_RGB888);
    {
        QPainter painter(&preview);
        painter.drawImage(QRect(QPoint(0, 0), preview.size()), shape->buffer);
    }
    preview_label->setPixmap(QPixmap::fromImage(preview));
}

void ImportDialog::on_ok_clicked()
{
    cancelled = 0;
    accept();
}

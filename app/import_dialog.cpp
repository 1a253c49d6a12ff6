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
        if (k < form_->images.size()) {
            const QImage& thumbnail = form_->images[k];
            painter->drawImage(form_->objlist->viewport()->width() - thumbnail.width() - 2, r.top() + 2, thumbnail);
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
        return QSize(form_->objlist->viewport()->width(), ImportDialog::item_height);
    }

private:
    ImportDialog* form_;
};

} // namespace

ImportDialog::ImportDialog()
{
    setObjectName(QStringLiteral("import_dialog"));
    setWindowTitle(QStringLiteral("Import Objects"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    Label1 = new QLabel(QStringLiteral("List of objects in selected file"), this);
    Label1->setGeometry(16, 12, 241, 16);
    objlist = new QListWidget(this);
    objlist->setObjectName(QStringLiteral("objlist"));
    objlist->setGeometry(16, 32, 241, 185);
    QFont list_font = objlist->font();
    list_font.setPixelSize(16);
    objlist->setFont(list_font);
    objlist->setUniformItemSizes(true);
    objlist->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    objlist->setToolTip(QStringLiteral("Tongle selection of highlighted object by clicking on it"));
    objlist->setItemDelegate(new ObjectRowDelegate(this));
    connect(objlist, &QListWidget::itemClicked, this, [this] { objlistClick(); });

    Label2 = new QLabel(QStringLiteral("Object preview"), this);
    Label2->setGeometry(272, 12, 138, 16);
    Panel1 = new QFrame(this);
    Panel1->setGeometry(272, 32, 138, 138);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setAutoFillBackground(true);
    Panel1->setToolTip(QStringLiteral("Preview of currently highlighted object"));
    Image1 = new QLabel(Panel1);
    Image1->setGeometry(4, 4, preview_side, preview_side);
    Image1->setAlignment(Qt::AlignCenter);
    check_mark = make_check_mark();

    Button1 = new QPushButton(QStringLiteral("Ok"), this);
    Button1->setGeometry(272, 192, 75, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button2->setGeometry(356, 192, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &ImportDialog::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(Button2->geometry().right() + 1 + 32, Button2->geometry().bottom() + 1 + 32);
}

int ImportDialog::last_clicked() const
{
    return last_clicked_;
}

std::uint8_t ImportDialog::execute()
{
    FormShow();
    show_modal(*this);
    FormHide();
    return cancelled;
}

void ImportDialog::FormShow()
{
    // Anything but Ok counts as Cancel, the close box included.
    cancelled = 1;
    QPalette colours = Panel1->palette();
    colours.setColor(QPalette::Window, to_qcolor(Configuration.background_color));
    Panel1->setPalette(colours);
    const int t = thumbnail_size;
    for (qsizetype k = 0; k < import_shapes.size(); ++k) {
        const Shape* shape = import_shapes[k];
        QImage thumbnail(t, t, QImage::Format_RGB888);
        thumbnail.fill(to_qcolor(Configuration.background_color));
        {
            QPainter painter(&thumbnail);
            painter.drawImage(thumbnail_rect(t, shape->Width, shape->Height), shape->buffer);
        }
        images.append(thumbnail);
        objlist->addItem(import_names.value(k));
    }
    last_clicked_ = -1;
    objlist->setCurrentRow(-1);
    objlist->clearSelection();
    Image1->clear();
}

void ImportDialog::FormHide()
{
    images.clear();
    objlist->clear();
    Image1->clear();
}

void ImportDialog::objlistClick()
{
    const int i = objlist->currentRow();
    if (i >= 0 && i < import_marks.size() && i == last_clicked_) import_marks[i] = !import_marks[i];
    last_clicked_ = i;
    objlist->viewport()->update();
    update_preview();
}

void ImportDialog::update_preview()
{
    const int i = objlist->currentRow();
    if (i < 0 || i >= import_shapes.size() || !objlist->currentItem()->isSelected()) {
        Image1->clear();
        return;
    }
    const Shape* shape = import_shapes[i];
    QImage preview(preview_size(shape->Width, shape->Height), QImage::Format_RGB888);
    {
        QPainter painter(&preview);
        painter.drawImage(QRect(QPoint(0, 0), preview.size()), shape->buffer);
    }
    Image1->setPixmap(QPixmap::fromImage(preview));
}

void ImportDialog::Button1Click()
{
    cancelled = 0;
    accept();
}

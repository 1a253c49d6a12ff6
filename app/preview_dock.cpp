#include "app/preview_dock.h"
#include "app/preview_renderer.h"
#include <QPainter>
#include <QCheckBox>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

const QString nothing_open = QStringLiteral("No drawing is open.");

// The stereogram under a strip with the two guide dots, one repeat apart.
QImage picture_with_guides(const QImage& stereogram, int separation)
{
    constexpr int strip = 16;
    QImage picture(stereogram.width(), stereogram.height() + strip, QImage::Format_RGB888);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawImage(0, strip, stereogram);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const QPointF centre(picture.width() / 2.0, strip / 2.0);
    for (const double side : {-0.5, 0.5}) painter.drawEllipse(centre + QPointF(side * separation, 0), 4, 4);
    return picture;
}

} // namespace

PreviewDock::PreviewDock(QWidget* parent) : QDockWidget(QStringLiteral("Preview"), parent)
{
    setObjectName(QStringLiteral("preview_dock"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    depth_ = new QCheckBox(QStringLiteral("Depth"), body);
    depth_->setToolTip(QStringLiteral("Show the depth map instead of the stereogram"));
    scroll_ = new QScrollArea(body);
    picture_ = new QLabel(scroll_);
    picture_->setAlignment(Qt::AlignCenter);
    scroll_->setWidget(picture_);
    scroll_->setWidgetResizable(true);
    scroll_->setAlignment(Qt::AlignCenter);
    layout->addWidget(depth_);
    layout->addWidget(scroll_, 1);
    setWidget(body);
    connect(depth_, &QCheckBox::toggled, this, &PreviewDock::refresh);
    show_nothing();
}

void PreviewDock::show_picture(const PreviewPicture& picture)
{
    ++pictures_shown_;
    text_ = picture.error;
    stereogram_ = picture.stereogram.isNull() ? QImage()
                                              : picture_with_guides(picture.stereogram, picture.zero_separation);
    depth_map_ = picture.depth;
    refresh();
}

void PreviewDock::show_nothing()
{
    text_ = nothing_open;
    stereogram_ = QImage();
    depth_map_ = QImage();
    refresh();
}

void PreviewDock::refresh()
{
    shown_ = depth_->isChecked() ? depth_map_ : stereogram_;
    if (shown_.isNull()) {
        picture_->setPixmap(QPixmap());
        picture_->setText(text_);
    } else {
        // At its own size, never scaled: scroll bars when it does not fit.
        picture_->setText(QString());
        picture_->setPixmap(QPixmap::fromImage(shown_));
    }
}

#include "app/preview_dock.h"
#include "app/preview_renderer.h"
#include "veride/guides.h"
#include <QCheckBox>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

PreviewDock::PreviewDock(QWidget* parent) : QDockWidget(tr("Preview"), parent)
{
    setObjectName(QStringLiteral("preview_dock"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    depth_ = new QCheckBox(tr("Depth"), body);
    depth_->setToolTip(tr("Show the depth map instead of the stereogram"));
    scroll_ = new QScrollArea(body);
    picture_ = new QLabel(scroll_);
    picture_->setAlignment(Qt::AlignCenter);
    scroll_->setWidget(picture_);
    scroll_->setWidgetResizable(true);
    scroll_->setAlignment(Qt::AlignCenter);
    warning_ = new QLabel(body);
    warning_->setObjectName(QStringLiteral("preview_warning"));
    warning_->setWordWrap(true);
    warning_->hide();
    layout->addWidget(depth_);
    layout->addWidget(warning_);
    layout->addWidget(scroll_, 1);
    setWidget(body);
    connect(depth_, &QCheckBox::toggled, this, &PreviewDock::refresh);
    for (QScrollBar* bar : {scroll_->horizontalScrollBar(), scroll_->verticalScrollBar()}) {
        // The scroll ranges follow a new size only once the layout has run.
        connect(bar, &QScrollBar::rangeChanged, this, &PreviewDock::centre_when_sized);
        connect(bar, &QScrollBar::actionTriggered, this, [this] { centring_ = false; });
    }
    show_nothing();
}

void PreviewDock::show_picture(const PreviewPicture& picture)
{
    ++pictures_shown_;
    text_ = picture.error;
    stereogram_ = picture.stereogram.isNull() ? QImage()
                                              : picture_with_guides(picture.stereogram, picture.zero_separation);
    depth_map_ = picture.depth;
    warning_->setText(picture.warnings.join(QLatin1Char('\n')));
    warning_->setVisible(!picture.warnings.isEmpty());
    refresh();
}

QString PreviewDock::warning() const
{
    return warning_->text();
}

void PreviewDock::show_nothing()
{
    text_ = tr("No drawing is open.");
    stereogram_ = QImage();
    depth_map_ = QImage();
    warning_->clear();
    warning_->hide();
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
        // A picture of another size shows its middle first; one of the same
        // size keeps the place the user scrolled to.
        if (picture_->pixmap().size() != shown_.size()) centring_ = true;
        picture_->setText(QString());
        picture_->setPixmap(QPixmap::fromImage(shown_));
        centre_when_sized();
    }
}

void PreviewDock::centre_when_sized()
{
    if (!centring_) return;
    for (QScrollBar* bar : {scroll_->horizontalScrollBar(), scroll_->verticalScrollBar()})
        bar->setValue((bar->minimum() + bar->maximum()) / 2);
}

#include "veride/viewer.h"
#include "veride/library_ui.h"
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageWriter>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QStandardPaths>
#include <QVBoxLayout>

// Two dots as far apart as the zero level's separation: looking through
// the picture until they fuse into three sets the eyes for the stereogram.
class ConvergenceDots : public QWidget {
public:
    explicit ConvergenceDots(QWidget* parent) : QWidget(parent) { setFixedHeight(16); }
    void set_spacing(double spacing)
    {
        spacing_ = spacing;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        const QPointF centre(width() / 2.0, height() / 2.0);
        for (const double side : {-0.5, 0.5}) p.drawEllipse(centre + QPointF(side * spacing_, 0), 4, 4);
    }

private:
    double spacing_ = 0;
};

namespace {

QString last_folder;

} // namespace

QString StereogramViewer::save_folder()
{
    if (!last_folder.isEmpty()) return last_folder;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QDir(pictures).exists() ? pictures : QDir::homePath();
}

StereogramViewer::StereogramViewer(const RenderResult& result, const QString& render_name, QWidget* parent)
    : QDialog(parent), stereogram_(result.stereogram), depth_(depth_map_image(result.depth)), name_(render_name),
      zero_separation_(result.zero_separation)
{
    setObjectName(QStringLiteral("stereogram_viewer"));
    setWindowTitle(render_name);
    setProperty("stereogram", stereogram_);
    info_ = QStringLiteral("%1 x %2 pixels, separations %3 to %4 pixels, rendered in %5 s")
                .arg(stereogram_.width())
                .arg(stereogram_.height())
                .arg(result.nearest_separation)
                .arg(result.farthest_separation)
                .arg(result.seconds, 0, 'f', 2);

    dots_ = new ConvergenceDots(this);
    picture_ = new QLabel;
    picture_->setAlignment(Qt::AlignCenter);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(picture_);
    scroll_->setWidgetResizable(true);
    scroll_->setAlignment(Qt::AlignCenter);

    fit_ = new QCheckBox(QStringLiteral("&Fit to Window"), this);
    auto* save = new QPushButton(QStringLiteral("Save As..."), this);
    auto* save_depth = new QPushButton(QStringLiteral("Save Depth Map..."), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    connect(fit_, &QCheckBox::toggled, this, [this](bool fit) { set_fit_to_window(fit); });
    connect(save, &QPushButton::clicked, this, [this] { save_stereogram(); });
    connect(save_depth, &QPushButton::clicked, this, [this] { save_depth_map(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(info_, this), 1);
    buttons->addWidget(fit_);
    buttons->addWidget(save);
    buttons->addWidget(save_depth);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(dots_);
    layout->addWidget(scroll_, 1);
    layout->addLayout(buttons);
    resize(std::min(stereogram_.width() + 40, 1000), std::min(stereogram_.height() + 100, 760));
    show_image();
}

QString StereogramViewer::info_text() const
{
    return info_;
}

void StereogramViewer::set_fit_to_window(bool fit)
{
    if (fit_->isChecked() != fit) fit_->setChecked(fit); // comes back here through the signal
    else show_image();
}

void StereogramViewer::show_image()
{
    QPixmap pixmap = QPixmap::fromImage(stereogram_);
    double scale = 1.0;
    if (fit_->isChecked() && !stereogram_.isNull()) {
        const QSize room = scroll_->viewport()->size();
        pixmap = pixmap.scaled(room, Qt::KeepAspectRatio, Qt::FastTransformation);
        scale = double(pixmap.width()) / stereogram_.width();
    }
    scroll_->setHorizontalScrollBarPolicy(fit_->isChecked() ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    scroll_->setVerticalScrollBarPolicy(fit_->isChecked() ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    picture_->setPixmap(pixmap);
    dots_->set_spacing(zero_separation_ * scale);
}

void StereogramViewer::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (fit_ && fit_->isChecked()) show_image();
}

QString StereogramViewer::write_stereogram(QString& path) const
{
    QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("bmp") && suffix != QLatin1String("png")) {
        path += QStringLiteral(".png");
        suffix = QStringLiteral("png");
    }
    QImageWriter writer(path, suffix.toLatin1());
    if (writer.write(stereogram_)) return QString();
    return QStringLiteral("The stereogram cannot be saved to %1: %2").arg(path, writer.errorString());
}

QString StereogramViewer::write_depth_map(QString& path) const
{
    if (QFileInfo(path).suffix().toLower() != QLatin1String("png")) path += QStringLiteral(".png");
    QImageWriter writer(path, "png");
    if (writer.write(depth_)) return QString();
    return QStringLiteral("The depth map cannot be saved to %1: %2").arg(path, writer.errorString());
}

void StereogramViewer::save_stereogram()
{
    QString path = veride::save_path_seam()(this, QStringLiteral("Save Stereogram"),
                                            QDir(save_folder()).filePath(name_ + QStringLiteral(".png")),
                                            QStringLiteral("PNG image (*.png);;BMP image (*.bmp)"));
    if (path.isEmpty()) return;
    const QString problem = write_stereogram(path);
    if (!problem.isEmpty()) {
        veride::message_seam()(this, problem);
        return;
    }
    last_folder = QFileInfo(path).absolutePath();
}

void StereogramViewer::save_depth_map()
{
    QString path = veride::save_path_seam()(this, QStringLiteral("Save Depth Map"),
                                            QDir(save_folder()).filePath(name_ + QStringLiteral("depth.png")),
                                            QStringLiteral("PNG image (*.png)"));
    if (path.isEmpty()) return;
    const QString problem = write_depth_map(path);
    if (!problem.isEmpty()) veride::message_seam()(this, problem);
}

#include "veride/viewer.h"
#include "platform/printer.h"
#include "veride/guides.h"
#include "veride/library_ui.h"
#include "veride/picture_file.h"
#include "veride/render_progress.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <cmath>

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

QString StereogramViewer::start_folder() const
{
    return inputs_.drawing_folder.isEmpty() ? save_folder() : inputs_.drawing_folder;
}

RenderResult render_inputs(const RenderInputs& inputs, const PictureOptions& options, const RenderControl& control)
{
    if (inputs.depth) return render_depth_map(*inputs.depth, inputs.settings, inputs.seed, control, options);
    return render_scene(inputs.objects, inputs.settings, inputs.seed, control, options,
                        bitmap_reader_for(inputs.drawing_folder));
}

StereogramViewer::StereogramViewer(RenderInputs inputs, const StoredPicture& picture, const RenderResult& result,
                                   const QString& render_name, QWidget* parent)
    : QDialog(parent), inputs_(std::move(inputs)), picture_(picture), name_(render_name)
{
    setObjectName(QStringLiteral("stereogram_viewer"));
    setWindowTitle(render_name);

    dots_ = new ConvergenceDots(this);
    picture_label_ = new QLabel;
    picture_label_->setAlignment(Qt::AlignCenter);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(picture_label_);
    scroll_->setWidgetResizable(true);
    scroll_->setAlignment(Qt::AlignCenter);

    info_label_ = new QLabel(this);
    fit_ = new QCheckBox(QStringLiteral("&Fit to Window"), this);
    fit_->setObjectName(QStringLiteral("fit"));
    auto* save = new QPushButton(QStringLiteral("Save As..."), this);
    auto* save_depth = new QPushButton(QStringLiteral("Save Depth Map..."), this);
    auto* print_button = new QPushButton(QStringLiteral("Print..."), this);
    print_button->setObjectName(QStringLiteral("print"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    // No button is pressed by Enter: in the option boxes Enter applies the
    // value typed, and a QDialog would otherwise press its first button.
    for (QPushButton* button : {save, save_depth, print_button, close}) button->setAutoDefault(false);
    connect(fit_, &QCheckBox::toggled, this, [this](bool fit) { set_fit_to_window(fit); });
    connect(save, &QPushButton::clicked, this, [this] { save_stereogram(); });
    connect(save_depth, &QPushButton::clicked, this, [this] { save_depth_map(); });
    connect(print_button, &QPushButton::clicked, this, [this] { print(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(info_label_, 1);
    buttons->addWidget(fit_);
    buttons->addWidget(save);
    buttons->addWidget(save_depth);
    buttons->addWidget(print_button);
    buttons->addWidget(close);
    auto* view = new QVBoxLayout;
    view->addWidget(dots_);
    view->addWidget(scroll_, 1);
    auto* middle = new QHBoxLayout;
    middle->addLayout(view, 1);
    middle->addWidget(make_options(), 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);
    show_options();
    show_result(result);
    // The picture at 1:1 beside the options, as far as the screen allows.
    const QSize wanted(stereogram_.width() + options_->sizeHint().width() + 60, stereogram_.height() + 120);
    resize(screen() ? wanted.boundedTo(screen()->availableGeometry().size() * 0.9) : wanted.boundedTo({1000, 760}));
}

QWidget* StereogramViewer::make_options()
{
    auto* box = new QGroupBox(QStringLiteral("Picture"), this);
    options_ = box;
    pattern_ = new QComboBox(box);
    pattern_->setObjectName(QStringLiteral("pattern"));
    pattern_->addItems({QStringLiteral("Dots"), QStringLiteral("Colour dots"), QStringLiteral("Image...")});
    colors_ = new QSpinBox(box);
    colors_->setObjectName(QStringLiteral("colors"));
    colors_->setRange(PictureOptions::fewest_colors, PictureOptions::most_colors);
    colors_->setKeyboardTracking(false); // one render for a typed number, not one per digit
    tile_ = new QLabel(box);
    tile_->setObjectName(QStringLiteral("tile"));
    own_size_ = new QCheckBox(QStringLiteral("&Keep tile size"), box);
    own_size_->setObjectName(QStringLiteral("keep_tile_size"));
    oversample_ = new QSpinBox(box);
    oversample_->setObjectName(QStringLiteral("oversample"));
    oversample_->setRange(1, PictureOptions::most_oversampling);
    oversample_->setKeyboardTracking(false);
    oversample_->setSuffix(QStringLiteral(" x"));
    cross_eyed_ = new QCheckBox(QStringLiteral("C&ross-eyed"), box);
    cross_eyed_->setObjectName(QStringLiteral("cross_eyed"));
    guides_ = new QCheckBox(QStringLiteral("&Guide marks when saving or printing"), box);
    guides_->setObjectName(QStringLiteral("guides"));

    auto* form = new QFormLayout(box);
    form->addRow(QStringLiteral("&Pattern:"), pattern_);
    form->addRow(QString(), tile_);
    form->addRow(QString(), own_size_);
    form->addRow(QStringLiteral("&Colours:"), colors_);
    form->addRow(QStringLiteral("&Oversampling:"), oversample_);
    form->addRow(QString(), cross_eyed_);
    form->addRow(QString(), guides_);

    connect(pattern_, &QComboBox::activated, this, [this](int index) { choose_pattern(index); });
    connect(colors_, &QSpinBox::valueChanged, this, [this](int n) {
        StoredPicture now = picture_;
        now.options.colors = n;
        change_picture(now);
    });
    connect(own_size_, &QCheckBox::toggled, this, [this](bool on) {
        StoredPicture now = picture_;
        now.options.tile_own_size = on;
        change_picture(now);
    });
    connect(oversample_, &QSpinBox::valueChanged, this, [this](int k) {
        StoredPicture now = picture_;
        now.options.oversample = k;
        change_picture(now);
    });
    connect(cross_eyed_, &QCheckBox::toggled, this, [this](bool on) {
        StoredPicture now = picture_;
        now.options.cross_eyed = on;
        change_picture(now);
    });
    connect(guides_, &QCheckBox::toggled, this, [this](bool on) {
        StoredPicture now = picture_;
        now.options.guides = on;
        change_picture(now);
    });
    return box;
}

// The controls show the options of the picture on view.
void StereogramViewer::show_options()
{
    const PictureOptions& o = picture_.options;
    const QSignalBlocker b1(pattern_), b2(colors_), b3(own_size_), b4(oversample_), b5(cross_eyed_), b6(guides_);
    pattern_->setCurrentIndex(int(o.pattern));
    colors_->setValue(o.colors);
    colors_->setEnabled(o.pattern == PictureOptions::Pattern::ColorDots);
    const bool image = o.pattern == PictureOptions::Pattern::Image;
    tile_->setText(image ? picture_.tile_name() : QString());
    tile_->setToolTip(image ? picture_.tile_path : QString());
    tile_->setVisible(image);
    own_size_->setChecked(o.tile_own_size);
    own_size_->setEnabled(image);
    oversample_->setValue(o.oversample);
    cross_eyed_->setChecked(o.cross_eyed);
    guides_->setChecked(o.guides);
}

void StereogramViewer::choose_pattern(int index)
{
    StoredPicture now = picture_;
    now.options.pattern = PictureOptions::Pattern(index);
    if (now.options.pattern == PictureOptions::Pattern::Image) {
        const QString folder = !inputs_.drawing_folder.isEmpty() || picture_.tile_path.isEmpty()
            ? start_folder()
            : QFileInfo(picture_.tile_path).absolutePath();
        const QString path = veride::open_path_seam()(this, QStringLiteral("Pattern Image"), folder,
                                                      QStringLiteral("Images (*.png *.jpg *.jpeg *.bmp)"));
        QString problem;
        const QImage tile = path.isEmpty() ? QImage() : read_tile(path, problem);
        if (!problem.isEmpty()) veride::message_seam()(this, problem);
        if (tile.isNull()) {
            show_options();
            return;
        }
        now.options.tile = tile;
        now.tile_path = path;
    }
    change_picture(now);
}

void StereogramViewer::change_picture(const StoredPicture& now)
{
    if (rendering_) return;
    // Guide marks change only what is saved and printed.
    const PictureOptions &a = picture_.options, &b = now.options;
    const bool same_picture = a.pattern == b.pattern && a.colors == b.colors && a.tile_own_size == b.tile_own_size
        && a.oversample == b.oversample && a.cross_eyed == b.cross_eyed
        && (b.pattern != PictureOptions::Pattern::Image || picture_.tile_path == now.tile_path);
    if (!same_picture) {
        // The options wait while a render runs: its progress only shows after a while.
        rendering_ = true;
        options_->setEnabled(false);
        const RenderResult result = render_with_progress(name_, inputs_.rows(), this, [&](const RenderControl& c) {
            return render_inputs(inputs_, now.options, c);
        });
        options_->setEnabled(true);
        rendering_ = false;
        if (!result.ok()) {
            if (!result.error.isEmpty()) veride::message_seam()(this, result.error);
            show_options();
            return;
        }
        show_result(result);
    }
    const QString problem = store_picture_settings(picture_, now);
    picture_ = now;
    show_options();
    if (!problem.isEmpty()) veride::message_seam()(this, problem);
}

void StereogramViewer::show_result(const RenderResult& result)
{
    stereogram_ = result.stereogram;
    depth_ = depth_map_image(result.depth);
    zero_separation_ = result.zero_separation;
    setProperty("stereogram", stereogram_);
    info_ = QStringLiteral("%1 x %2 pixels, separations %3 to %4 pixels, rendered in %5 s")
                .arg(stereogram_.width())
                .arg(stereogram_.height())
                .arg(result.nearest_separation)
                .arg(result.farthest_separation)
                .arg(result.seconds, 0, 'f', 2);
    info_label_->setText(info_);
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
    picture_label_->setPixmap(pixmap);
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
    const QString error = write_picture_file(saved_picture(), path, suffix.toLatin1());
    return error.isEmpty() ? error : QStringLiteral("The stereogram cannot be saved to %1: %2").arg(path, error);
}

QString StereogramViewer::write_depth_map(QString& path) const
{
    if (QFileInfo(path).suffix().toLower() != QLatin1String("png")) path += QStringLiteral(".png");
    const QString error = write_picture_file(depth_, path, "png");
    return error.isEmpty() ? error : QStringLiteral("The depth map cannot be saved to %1: %2").arg(path, error);
}

void StereogramViewer::save_stereogram()
{
    QString path = veride::save_path_seam()(this, QStringLiteral("Save Stereogram"),
                                            QDir(start_folder()).filePath(name_ + QStringLiteral(".png")),
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
                                            QDir(start_folder()).filePath(name_ + QStringLiteral("depth.png")),
                                            QStringLiteral("PNG image (*.png)"));
    if (path.isEmpty()) return;
    const QString problem = write_depth_map(path);
    if (!problem.isEmpty()) veride::message_seam()(this, problem);
}

QImage StereogramViewer::saved_picture() const
{
    return picture_.options.guides ? picture_with_guides(stereogram_, zero_separation_) : stereogram_;
}

namespace {

// Printer dots per picture pixel along one axis: the panel's millimetres
// fill their length on paper; a panel whose pixels make its millimetres at
// the printer's resolution (as the panel dialog makes them, cut to whole
// millimetres) is printed dot for dot; a size unknown prints at 96 pixels
// per inch, as dioramix-cli reads depth maps.
double printer_dots_per_pixel(int pixels, int millimetres, int dpi)
{
    if (pixels <= 0) return 1.0;
    if (millimetres <= 0) return dpi / 96.0;
    const double at_printer = pixels * 25.4 / dpi;
    if (at_printer >= millimetres && at_printer < millimetres + 1) return 1.0;
    return millimetres / 25.4 * dpi / pixels;
}

} // namespace

QString StereogramViewer::print_to(QPrinter& printer) const
{
    const QImage picture = saved_picture();
    const int dpi = printer.resolution();
    const RenderSettings& s = inputs_.settings;
    QSizeF size(picture.width() * printer_dots_per_pixel(stereogram_.width(), s.width_mm, dpi),
                picture.height() * printer_dots_per_pixel(stereogram_.height(), s.height_mm, dpi));
    // A picture larger than the page is made smaller to fit it, in proportion.
    const QSizeF room = printer.pageLayout().paintRectPixels(dpi).size();
    if (size.width() > room.width() || size.height() > room.height()) size.scale(room, Qt::KeepAspectRatio);
    QPainter painter;
    if (!painter.begin(&printer)) return QStringLiteral("The stereogram cannot be printed: the printer cannot be used.");
    // Random dots through JPEG would blur into grey.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    const QPointF corner((room.width() - size.width()) / 2, (room.height() - size.height()) / 2);
    painter.drawImage(QRectF(corner, size), picture);
    return painter.end() ? QString() : QStringLiteral("The stereogram could not be printed whole.");
}

void StereogramViewer::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(name_);
    if (!platform::print_dialog_seam()(printer, this)) return;
    const QString problem = print_to(printer);
    if (!problem.isEmpty()) veride::message_seam()(this, problem);
}

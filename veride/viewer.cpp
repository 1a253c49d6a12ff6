#include "veride/viewer.h"
#include "platform/printer.h"
#include "veride/library_ui.h"
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

StereogramViewer::StereogramViewer(RenderInputs inputs, const StoredPicture& picture, const RenderResult& result,
                                   const QString& render_name, QWidget* parent)
    : QDialog(parent), inputs_(std::move(inputs)), picture_(picture), name_(render_name)
{
    setObjectName(QStringLiteral("stereogram_viewer"));
    setWindowTitle(render_name);

    convergence_dots_ = new ConvergenceDots(this);
    picture_label_ = new QLabel;
    picture_label_->setObjectName(QStringLiteral("picture_label"));
    picture_label_->setAlignment(Qt::AlignCenter);
    picture_scroll_ = new QScrollArea(this);
    picture_scroll_->setObjectName(QStringLiteral("picture_scroll"));
    picture_scroll_->setWidget(picture_label_);
    picture_scroll_->setWidgetResizable(true);
    picture_scroll_->setAlignment(Qt::AlignCenter);

    info_label_ = new QLabel(this);
    info_label_->setObjectName(QStringLiteral("info_label"));
    fit_check_ = new QCheckBox(tr("&Fit to Window"), this);
    fit_check_->setObjectName(QStringLiteral("fit_check"));
    auto* save_button = new QPushButton(tr("Save As..."), this);
    save_button->setObjectName(QStringLiteral("save_button"));
    auto* save_depth_button = new QPushButton(tr("Save Depth Map..."), this);
    save_depth_button->setObjectName(QStringLiteral("save_depth_button"));
    auto* print_button = new QPushButton(tr("Print..."), this);
    print_button->setObjectName(QStringLiteral("print_button"));
    auto* close_button = new QPushButton(tr("Close"), this);
    close_button->setObjectName(QStringLiteral("close_button"));
    // No button is pressed by Enter: in the option boxes Enter applies the
    // value typed, and a QDialog would otherwise press its first button.
    for (QPushButton* button : {save_button, save_depth_button, print_button, close_button})
        button->setAutoDefault(false);
    connect(fit_check_, &QCheckBox::toggled, this, [this](bool fit) { set_fit_to_window(fit); });
    connect(save_button, &QPushButton::clicked, this, [this] { save_stereogram(); });
    connect(save_depth_button, &QPushButton::clicked, this, [this] { save_depth_map(); });
    connect(print_button, &QPushButton::clicked, this, [this] { print(); });
    connect(close_button, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(info_label_, 1);
    buttons->addWidget(fit_check_);
    buttons->addWidget(save_button);
    buttons->addWidget(save_depth_button);
    buttons->addWidget(print_button);
    buttons->addWidget(close_button);
    auto* view = new QVBoxLayout;
    view->addWidget(convergence_dots_);
    view->addWidget(picture_scroll_, 1);
    auto* middle = new QHBoxLayout;
    middle->addLayout(view, 1);
    middle->addWidget(make_options(), 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);
    show_options();
    show_result(result);
    // The picture at 1:1 beside the options, as far as the screen allows.
    const QSize wanted(stereogram().width() + options_group_->sizeHint().width() + 60, stereogram().height() + 120);
    resize(screen() ? wanted.boundedTo(screen()->availableGeometry().size() * 0.9) : wanted.boundedTo({1000, 760}));
}

QGroupBox* StereogramViewer::make_options()
{
    auto* box = new QGroupBox(tr("Picture"), this);
    box->setObjectName(QStringLiteral("options_group"));
    options_group_ = box;
    pattern_combo_ = new QComboBox(box);
    pattern_combo_->setObjectName(QStringLiteral("pattern_combo"));
    for (const PatternRow& row : pattern_rows()) pattern_combo_->addItem(pattern_label(row));
    colors_box_ = new QSpinBox(box);
    colors_box_->setObjectName(QStringLiteral("colors_box"));
    colors_box_->setRange(PictureOptions::fewest_colors, PictureOptions::most_colors);
    colors_box_->setKeyboardTracking(false); // one render for a typed number, not one per digit
    tile_label_ = new QLabel(box);
    tile_label_->setObjectName(QStringLiteral("tile_label"));
    keep_tile_size_check_ = new QCheckBox(tr("&Keep tile size"), box);
    keep_tile_size_check_->setObjectName(QStringLiteral("keep_tile_size_check"));
    oversample_box_ = new QSpinBox(box);
    oversample_box_->setObjectName(QStringLiteral("oversample_box"));
    oversample_box_->setRange(1, PictureOptions::most_oversampling);
    oversample_box_->setKeyboardTracking(false);
    oversample_box_->setSuffix(tr(" x"));
    cross_eyed_check_ = new QCheckBox(tr("C&ross-eyed"), box);
    cross_eyed_check_->setObjectName(QStringLiteral("cross_eyed_check"));
    guides_check_ = new QCheckBox(tr("&Guide marks when saving or printing"), box);
    guides_check_->setObjectName(QStringLiteral("guides_check"));
    layout_combo_ = new QComboBox(box);
    layout_combo_->setObjectName(QStringLiteral("layout_combo"));
    for (const LayoutRow& row : layout_rows()) layout_combo_->addItem(layout_label(row));

    auto* form = new QFormLayout(box);
    form->addRow(tr("&Pattern:"), pattern_combo_);
    form->addRow(QString(), tile_label_);
    form->addRow(QString(), keep_tile_size_check_);
    form->addRow(tr("&Colours:"), colors_box_);
    form->addRow(tr("&Oversampling:"), oversample_box_);
    form->addRow(QString(), cross_eyed_check_);
    form->addRow(QString(), guides_check_);
    form->addRow(tr("&Layout:"), layout_combo_);

    connect(pattern_combo_, &QComboBox::activated, this, [this](int index) { choose_pattern(index); });
    connect(colors_box_, &QSpinBox::valueChanged, this, [this](int n) {
        StoredPicture now = picture_;
        now.options.colors = n;
        change_picture(now);
    });
    connect(keep_tile_size_check_, &QCheckBox::toggled, this, [this](bool on) {
        StoredPicture now = picture_;
        now.options.tile_own_size = on;
        change_picture(now);
    });
    connect(oversample_box_, &QSpinBox::valueChanged, this, [this](int k) {
        StoredPicture now = picture_;
        now.options.oversample = k;
        change_picture(now);
    });
    connect(cross_eyed_check_, &QCheckBox::toggled, this, [this](bool on) {
        StoredPicture now = picture_;
        now.options.cross_eyed = on;
        change_picture(now);
    });
    connect(guides_check_, &QCheckBox::toggled, this, [this](bool on) {
        StoredPicture now = picture_;
        now.options.guides = on;
        change_picture(now);
    });
    connect(layout_combo_, &QComboBox::activated, this, [this](int index) {
        StoredPicture now = picture_;
        now.options.layout = layout_rows()[std::size_t(index)].layout;
        change_picture(now);
    });
    return box;
}

// The controls show the options of the picture on view.
void StereogramViewer::show_options()
{
    const PictureOptions& o = picture_.options;
    const QSignalBlocker blockers[] = {QSignalBlocker(pattern_combo_), QSignalBlocker(colors_box_),
                                       QSignalBlocker(keep_tile_size_check_), QSignalBlocker(oversample_box_),
                                       QSignalBlocker(cross_eyed_check_), QSignalBlocker(guides_check_),
                                       QSignalBlocker(layout_combo_)};
    const PatternRow& pattern = pattern_row(o.pattern);
    pattern_combo_->setCurrentIndex(int(&pattern - pattern_rows().data()));
    colors_box_->setValue(o.colors);
    colors_box_->setEnabled(pattern.uses_colors);
    tile_label_->setText(pattern.uses_tile ? picture_.tile_name() : QString());
    tile_label_->setToolTip(pattern.uses_tile ? picture_.tile_path : QString());
    tile_label_->setVisible(pattern.uses_tile);
    keep_tile_size_check_->setChecked(o.tile_own_size);
    keep_tile_size_check_->setEnabled(pattern.uses_tile);
    oversample_box_->setValue(o.oversample);
    cross_eyed_check_->setChecked(o.cross_eyed);
    guides_check_->setChecked(o.guides);
    const LayoutRow& layout = layout_row(o.layout);
    layout_combo_->setCurrentIndex(int(&layout - layout_rows().data()));
    // Only a stereogram is oversampled, viewed cross-eyed, guided and fused by the dots.
    const bool stereogram = o.layout == PictureLayout::Stereogram;
    oversample_box_->setEnabled(stereogram);
    cross_eyed_check_->setEnabled(stereogram);
    guides_check_->setEnabled(stereogram);
    convergence_dots_->setVisible(stereogram);
}

void StereogramViewer::choose_pattern(int index)
{
    StoredPicture now = picture_;
    const PatternRow& pattern = pattern_rows()[std::size_t(index)];
    now.options.pattern = pattern.kind;
    if (pattern.uses_tile) {
        const QString folder = !inputs_.drawing_folder.isEmpty() || picture_.tile_path.isEmpty()
            ? start_folder()
            : QFileInfo(picture_.tile_path).absolutePath();
        const QString path = veride::open_path_seam()(this, tr("Pattern Image"), folder,
                                                      tr("Images (*.png *.jpg *.jpeg *.bmp)"));
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
        && a.oversample == b.oversample && a.cross_eyed == b.cross_eyed && a.layout == b.layout
        && (!pattern_row(b.pattern).uses_tile || picture_.tile_path == now.tile_path);
    if (!same_picture) {
        // The options wait while a render runs: its progress only shows after a while.
        rendering_ = true;
        options_group_->setEnabled(false);
        const RenderResult result = render_with_progress(name_, inputs_.rows(), this, [&](const RenderControl& c) {
            return render_inputs(inputs_, now.options, c);
        });
        options_group_->setEnabled(true);
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
    result_ = result;
    setProperty("stereogram", result_.stereogram);
    info_ = tr("%1 x %2 pixels, separations %3 to %4 pixels, rendered in %5 s")
                .arg(result_.stereogram.width())
                .arg(result_.stereogram.height())
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
    if (fit_check_->isChecked() != fit) fit_check_->setChecked(fit); // comes back here through the signal
    else show_image();
}

void StereogramViewer::show_image()
{
    const QImage& shown = result_.stereogram;
    QPixmap pixmap = QPixmap::fromImage(shown);
    double scale = 1.0;
    const bool fit = fit_check_->isChecked();
    if (fit && !shown.isNull()) {
        const QSize room = picture_scroll_->viewport()->size();
        pixmap = pixmap.scaled(room, Qt::KeepAspectRatio, Qt::FastTransformation);
        scale = double(pixmap.width()) / shown.width();
    }
    picture_scroll_->setHorizontalScrollBarPolicy(fit ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    picture_scroll_->setVerticalScrollBarPolicy(fit ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    picture_label_->setPixmap(pixmap);
    convergence_dots_->set_spacing(result_.zero_separation * scale);
}

void StereogramViewer::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (fit_check_ && fit_check_->isChecked()) show_image();
}

QString StereogramViewer::write_stereogram(QString& path) const
{
    QByteArray format = picture_format(path);
    if (format.isEmpty()) {
        path += QStringLiteral(".png");
        format = "png";
    }
    const QString error = export_stereogram(result_, picture_.options, path, format);
    return error.isEmpty() ? error : tr("The stereogram cannot be saved to %1: %2").arg(path, error);
}

QString StereogramViewer::write_depth_map(QString& path) const
{
    if (picture_format(path) != "png") path += QStringLiteral(".png");
    const QString error = export_depth_map(result_, path);
    return error.isEmpty() ? error : tr("The depth map cannot be saved to %1: %2").arg(path, error);
}

void StereogramViewer::save_stereogram()
{
    QString path = veride::save_path_seam()(this, tr("Save Stereogram"),
                                            QDir(start_folder()).filePath(name_ + QStringLiteral(".png")),
                                            tr("PNG image (*.png);;BMP image (*.bmp)"));
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
    QString path = veride::save_path_seam()(this, tr("Save Depth Map"),
                                            QDir(start_folder()).filePath(name_ + QStringLiteral("depth.png")),
                                            tr("PNG image (*.png)"));
    if (path.isEmpty()) return;
    const QString problem = write_depth_map(path);
    if (!problem.isEmpty()) veride::message_seam()(this, problem);
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
    QSizeF size(picture.width() * printer_dots_per_pixel(stereogram().width(), s.width_mm, dpi),
                picture.height() * printer_dots_per_pixel(stereogram().height(), s.height_mm, dpi));
    // A picture larger than the page is made smaller to fit it, in proportion.
    const QSizeF room = printer.pageLayout().paintRectPixels(dpi).size();
    if (size.width() > room.width() || size.height() > room.height()) size.scale(room, Qt::KeepAspectRatio);
    QPainter painter;
    if (!painter.begin(&printer)) return tr("The stereogram cannot be printed: the printer cannot be used.");
    // Random dots through JPEG would blur into grey.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    const QPointF corner((room.width() - size.width()) / 2, (room.height() - size.height()) / 2);
    painter.drawImage(QRectF(corner, size), picture);
    return painter.end() ? QString() : tr("The stereogram could not be printed whole.");
}

void StereogramViewer::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(name_);
    if (!platform::print_dialog_seam()(printer, this)) return;
    const QString problem = print_to(printer);
    if (!problem.isEmpty()) veride::message_seam()(this, problem);
}

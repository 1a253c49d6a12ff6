#include "dialogs/round_edges_dialog.h"
#include "core/distance_transform.h"
#include "dialogs/number_text.h"
#include "platform/guard.h"
#include "platform/message_box.h"
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <algorithm>
#include <cmath>

RoundEdgesDialog* round_edges_dialog = nullptr;

RoundEdgesDialog::RoundEdgesDialog(QWidget* parent)
    : CancellableDialog(tr("Round Edges"), parent)
{
    setObjectName(QStringLiteral("round_edges_dialog"));
    auto row = [this](const QString& caption, int y) {
        auto* l = new QLabel(caption, this);
        l->setGeometry(16, y + 2, 140, 20);
        auto* box = new QLineEdit(this);
        box->setGeometry(160, y, 60, 24);
        auto* unit = new QLabel(tr("mm"), this);
        unit->setGeometry(226, y + 2, 30, 20);
        return box;
    };
    band_box = row(tr("Width of rounded band"), 16);
    top_box = row(tr("Top height"), 48);
    base_box = row(tr("Base height"), 80);
    auto* profile_label = new QLabel(tr("Profile"), this);
    profile_label->setGeometry(16, 114, 140, 20);
    profile_combo = new QComboBox(this);
    profile_combo->addItems({tr("Round"), tr("Bevel"), tr("Dome")});
    profile_combo->setGeometry(160, 112, 96, 24);

    preview_label = new QLabel(this);
    preview_label->setGeometry(272, 16, preview_width, preview_height);
    preview_label->setAlignment(Qt::AlignCenter);
    preview_label->setFrameShape(QFrame::Box);
    preview_label->setToolTip(tr("Depth preview: nearer is whiter"));

    ok_button->move(16, 150);
    cancel_button->move(106, 150);
    setFixedSize(272 + preview_width + 16, 16 + preview_height + 16);

    for (QLineEdit* box : {band_box, top_box, base_box})
        connect(box, &QLineEdit::textChanged, this, [this] { run_guarded([this] { update_preview(); }); });
    connect(profile_combo, &QComboBox::currentIndexChanged, this,
            [this] { run_guarded([this] { update_preview(); }); });
}

void RoundEdgesDialog::execute(const QImage& silhouette, double pixels_per_mm)
{
    // The preview measures a copy of the silhouette at the preview's scale,
    // so that every change redraws at once whatever the object's size.
    preview_pixels_per_mm_ = 0;
    preview_size_ = QSize();
    preview_inside_.clear();
    preview_distances_.clear();
    if (!silhouette.isNull() && silhouette.width() > 0 && silhouette.height() > 0) {
        const double scale = std::min(double(preview_width - 2) / silhouette.width(),
                                      double(preview_height - 2) / silhouette.height());
        preview_size_ = QSize(std::max(1, int(silhouette.width() * scale)), std::max(1, int(silhouette.height() * scale)));
        const QImage small = silhouette.scaled(preview_size_, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        preview_inside_ = silhouette_inside(small);
        preview_distances_ = distances_to_outside(preview_inside_, small.width(), small.height());
        preview_pixels_per_mm_ = pixels_per_mm * double(small.width()) / silhouette.width();
    }

    band_box->setText(QString::number(values.band_mm));
    top_box->setText(QString::number(values.top_mm));
    base_box->setText(QString::number(values.base_mm));
    profile_combo->setCurrentIndex(int(values.profile));
    update_preview();
    run_modal();
}

std::optional<RoundEdgesValues> RoundEdgesDialog::typed_values(QString& problem) const
{
    RoundEdgesValues typed;
    bool number = false;
    typed.band_mm = band_box->text().trimmed().toDouble(&number);
    const std::optional<int> top = integer_value(top_box->text());
    const std::optional<int> base = integer_value(base_box->text());
    if (!number || !std::isfinite(typed.band_mm) || typed.band_mm <= 0)
        problem = tr("The width of the rounded band must be a number of millimetres above 0.");
    else if (!top)
        problem = tr("The top height must be a whole number of millimetres.");
    else if (!base)
        problem = tr("The base height must be a whole number of millimetres.");
    else if (*top <= *base)
        problem = tr("The top height must be above the base height.");
    if (!problem.isEmpty()) return std::nullopt;
    typed.top_mm = *top;
    typed.base_mm = *base;
    typed.profile = EdgeProfile(std::clamp(profile_combo->currentIndex(), 0, 2));
    return typed;
}

void RoundEdgesDialog::update_preview()
{
    QString problem;
    const std::optional<RoundEdgesValues> typed = typed_values(problem);
    // Values being typed that mean nothing yet keep the last picture.
    if (!typed || preview_size_.isEmpty()) return;
    const std::vector<float> levels = levels_from_distances(preview_distances_, preview_inside_,
                                                            typed->band_mm * preview_pixels_per_mm_, typed->profile);
    // Heights as a depth map shows them: the panel's plane black, the
    // highest point white.
    const double low = std::min(0, typed->base_mm);
    const double high = std::max(typed->top_mm, 0);
    const double span = high > low ? high - low : 1;
    QImage picture(preview_size_, QImage::Format_Grayscale8);
    for (int y = 0; y < picture.height(); ++y) {
        uchar* row = picture.scanLine(y);
        const float* level = levels.data() + std::size_t(y) * std::size_t(picture.width());
        for (int x = 0; x < picture.width(); ++x) {
            const double height = std::isnan(level[x]) ? 0.0
                                                        : typed->base_mm + level[x] * double(typed->top_mm - typed->base_mm);
            row[x] = uchar(std::lround(std::clamp((height - low) / span, 0.0, 1.0) * 255));
        }
    }
    preview_label->setPixmap(QPixmap::fromImage(picture));
}

void RoundEdgesDialog::on_ok_clicked()
{
    QString problem;
    const std::optional<RoundEdgesValues> typed = typed_values(problem);
    if (!typed) {
        message_box(problem, MessageKind::Error, MessageButtons::Ok);
        return;
    }
    values = *typed;
    CancellableDialog::on_ok_clicked();
}

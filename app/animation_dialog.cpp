#include "app/animation_dialog.h"
#include "platform/guard.h"
#include "platform/message_box.h"
#include "veride/animation.h"
#include "veride/picture_settings.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int fewest_frames = 2;
constexpr int most_frames = 360;
constexpr int default_frames = 24;

// A line edit with its "Browse..." button beside it.
QHBoxLayout* with_browse(QLineEdit* edit, QPushButton* button)
{
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(button);
    button->setAutoDefault(false);
    return row;
}

// A row's label whose shortcut reaches `buddy`: a row of a layout has none of its own.
QLabel* buddy_label(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

} // namespace

AnimationDialog::AnimationDialog(bool ask_frames, const QString& folder, QWidget* parent)
    : CancellableDialog(tr("Make Animation"), parent), folder_(folder)
{
    setObjectName(QStringLiteral("animation_dialog"));
    const StoredPicture stored = read_picture_settings();
    const PictureOptions& o = stored.options;

    frames_box = new QSpinBox(this);
    frames_box->setRange(fewest_frames, most_frames);
    frames_box->setValue(default_frames);
    frame_time_box = new QSpinBox(this);
    frame_time_box->setRange(shortest_frame_ms, longest_frame_ms);
    frame_time_box->setValue(default_frame_ms);
    frame_time_box->setSuffix(tr(" ms"));

    pattern_combo = new QComboBox(this);
    for (const PatternRow& row : pattern_rows()) pattern_combo->addItem(pattern_label(row));
    pattern_combo->setCurrentIndex(int(&pattern_row(o.pattern) - pattern_rows().data()));
    colors_box = new QSpinBox(this);
    colors_box->setRange(PictureOptions::fewest_colors, PictureOptions::most_colors);
    colors_box->setValue(o.colors);
    tile_edit = new QLineEdit(QDir::toNativeSeparators(stored.tile_path), this);
    tile_button = new QPushButton(tr("Browse..."), this);
    keep_tile_size_check = new QCheckBox(tr("&Keep tile size"), this);
    keep_tile_size_check->setChecked(o.tile_own_size);
    oversample_box = new QSpinBox(this);
    oversample_box->setRange(1, PictureOptions::most_oversampling);
    oversample_box->setValue(o.oversample);
    oversample_box->setSuffix(tr(" x"));
    cross_eyed_check = new QCheckBox(tr("C&ross-eyed"), this);
    cross_eyed_check->setChecked(o.cross_eyed);
    layout_combo = new QComboBox(this);
    for (const LayoutRow& row : layout_rows()) layout_combo->addItem(layout_label(row));
    layout_combo->setCurrentIndex(int(&layout_row(o.layout) - layout_rows().data()));

    file_edit = new QLineEdit(this);
    browse_button = new QPushButton(tr("Browse..."), this);
    cancel_button->setAutoDefault(false);

    auto* form = new QFormLayout;
    form->addRow(tr("&Frames:"), frames_box);
    form->setRowVisible(frames_box, ask_frames);
    form->addRow(tr("Frame &time:"), frame_time_box);
    form->addRow(tr("&Pattern:"), pattern_combo);
    form->addRow(tr("&Colours:"), colors_box);
    form->addRow(buddy_label(tr("T&ile:"), tile_edit), with_browse(tile_edit, tile_button));
    form->addRow(QString(), keep_tile_size_check);
    form->addRow(tr("&Oversampling:"), oversample_box);
    form->addRow(QString(), cross_eyed_check);
    form->addRow(tr("&Layout:"), layout_combo);
    form->addRow(buddy_label(tr("&File:"), file_edit), with_browse(file_edit, browse_button));
    auto* buttons_row = new QHBoxLayout;
    buttons_row->addStretch(1);
    buttons_row->addWidget(ok_button);
    buttons_row->addWidget(cancel_button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons_row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    file_edit->setMinimumWidth(300);

    connect(pattern_combo, &QComboBox::currentIndexChanged, this, [this] { update_enabled(); });
    connect(layout_combo, &QComboBox::currentIndexChanged, this, [this] { update_enabled(); });
    connect(browse_button, &QPushButton::clicked, this, [this] { run_guarded([this] { browse_file(); }); });
    connect(tile_button, &QPushButton::clicked, this, [this] { run_guarded([this] { browse_tile(); }); });
    update_enabled();
}

bool AnimationDialog::execute()
{
    run_modal();
    return cancelled == 0;
}

void AnimationDialog::update_enabled()
{
    const PatternRow& pattern = pattern_rows()[std::size_t(std::max(0, pattern_combo->currentIndex()))];
    colors_box->setEnabled(pattern.uses_colors);
    for (QWidget* control : {static_cast<QWidget*>(tile_edit), static_cast<QWidget*>(tile_button),
                             static_cast<QWidget*>(keep_tile_size_check)})
        control->setEnabled(pattern.uses_tile);
    // Only a stereogram is oversampled and viewed cross-eyed.
    const bool stereogram =
        layout_rows()[std::size_t(std::max(0, layout_combo->currentIndex()))].layout == PictureLayout::Stereogram;
    oversample_box->setEnabled(stereogram);
    cross_eyed_check->setEnabled(stereogram);
}

void AnimationDialog::browse_file()
{
    file_dialog_.title = tr("Make Animation");
    file_dialog_.filter = tr("Animated GIF (*.gif)") + QStringLiteral("|*.gif|") + tr("Animated WebP (*.webp)")
        + QStringLiteral("|*.webp");
    file_dialog_.default_suffix = QStringLiteral("gif");
    file_dialog_.file_name = QDir::fromNativeSeparators(file_edit->text());
    file_dialog_.start_folder = file_edit->text().isEmpty() ? folder_ : QString();
    if (file_dialog_.execute()) file_edit->setText(QDir::toNativeSeparators(file_dialog_.file_name));
}

void AnimationDialog::browse_tile()
{
    tile_dialog_.title = tr("Pattern Image");
    tile_dialog_.filter = tr("Images (*.png *.jpg *.jpeg *.bmp)") + QStringLiteral("|*.png;*.jpg;*.jpeg;*.bmp");
    tile_dialog_.file_name = QDir::fromNativeSeparators(tile_edit->text());
    tile_dialog_.start_folder = tile_edit->text().isEmpty() ? folder_ : QString();
    if (tile_dialog_.execute()) tile_edit->setText(QDir::toNativeSeparators(tile_dialog_.file_name));
}

void AnimationDialog::on_ok_clicked()
{
    const QString path = QDir::fromNativeSeparators(file_edit->text().trimmed());
    if (path.isEmpty() || animation_format(path).isEmpty()) {
        message_box(tr("The animation's file name must end in .gif or .webp."), MessageKind::Error,
                    MessageButtons::Ok);
        file_edit->setFocus();
        return;
    }
    tile_ = QImage();
    if (pattern_rows()[std::size_t(pattern_combo->currentIndex())].uses_tile) {
        QString problem;
        tile_ = read_tile(QDir::fromNativeSeparators(tile_edit->text().trimmed()), problem);
        if (tile_.isNull()) {
            message_box(problem.isEmpty() ? tr("Choose the tile image of the pattern.") : problem,
                        MessageKind::Error, MessageButtons::Ok);
            tile_edit->setFocus();
            return;
        }
    }
    CancellableDialog::on_ok_clicked();
}

AnimationChoice AnimationDialog::choice() const
{
    AnimationChoice c;
    c.frames = frames_box->value();
    c.frame_ms = frame_time_box->value();
    const PatternRow& pattern = pattern_rows()[std::size_t(pattern_combo->currentIndex())];
    c.options.pattern = pattern.kind;
    c.options.colors = colors_box->value();
    c.options.tile = tile_;
    c.options.tile_own_size = keep_tile_size_check->isChecked();
    c.options.oversample = oversample_box->value();
    c.options.cross_eyed = cross_eyed_check->isChecked();
    c.options.layout = layout_rows()[std::size_t(layout_combo->currentIndex())].layout;
    c.path = QDir::fromNativeSeparators(file_edit->text().trimmed());
    return c;
}

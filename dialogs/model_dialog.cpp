#include "dialogs/model_dialog.h"
#include "core/configuration.h"
#include "core/mesh_raster.h"
#include "dialogs/model_preview.h"
#include "platform/guard.h"
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

// Wide enough that a width beyond what an object may be reaches the
// program's own message about object sizes.
constexpr int largest_typed_width = 1'000'000;
constexpr int default_relief_mm = 60;

QSpinBox* angle_box(QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setRange(-180, 180);
    box->setWrapping(true);
    return box;
}

} // namespace

int wrapped_degrees(int degrees)
{
    return ((degrees + 180) % 360 + 360) % 360 - 180;
}

ModelDialog::ModelDialog(const Mesh& mesh, int panel_width_px, int panel_width_mm, QWidget* parent)
    : CancellableDialog(tr("3D Model"), parent)
    , mesh_(mesh)
    , panel_width_px_(std::max(1, panel_width_px))
    , panel_width_mm_(std::max(1, panel_width_mm))
    , width_px_(std::max(1, panel_width_px / 2))
{
    setObjectName(QStringLiteral("model_dialog"));
    preview = new ModelPreview(this);

    auto* turn_group = new QGroupBox(tr("Turn (degrees)"), this);
    auto* turn_form = new QFormLayout(turn_group);
    yaw_box = angle_box(turn_group);
    pitch_box = angle_box(turn_group);
    roll_box = angle_box(turn_group);
    turn_form->addRow(tr("Yaw"), yaw_box);
    turn_form->addRow(tr("Pitch"), pitch_box);
    turn_form->addRow(tr("Roll"), roll_box);

    auto* size_group = new QGroupBox(tr("Size"), this);
    auto* size_form = new QFormLayout(size_group);
    width_box = new QSpinBox(size_group);
    width_box->setRange(1, largest_typed_width);
    units_combo = new QComboBox(size_group);
    units_combo->addItems({tr("millimeters"), tr("pixels")});
    auto* width_row = new QHBoxLayout;
    width_row->addWidget(width_box, 1);
    width_row->addWidget(units_combo);
    size_form->addRow(tr("Width"), width_row);
    height_box = new QLineEdit(size_group);
    height_box->setReadOnly(true);
    size_form->addRow(tr("Height"), height_box);
    // The relief stays within the heights the configuration allows.
    base_box = new QSpinBox(size_group);
    base_box->setRange(Configuration.min_height, std::max(Configuration.min_height, Configuration.max_height));
    base_box->setValue(std::clamp(0, base_box->minimum(), base_box->maximum()));
    base_box->setSuffix(tr(" mm"));
    size_form->addRow(tr("Base height"), base_box);
    relief_box = new QSpinBox(size_group);
    relief_box->setSuffix(tr(" mm"));
    size_form->addRow(tr("Relief"), relief_box);
    on_base_changed();
    relief_box->setValue(default_relief_mm);

    auto* settings_row = new QHBoxLayout;
    settings_row->addWidget(turn_group);
    settings_row->addWidget(size_group);
    turntable_button = new QPushButton(tr("Turntable animation..."), this);
    turntable_button->setAutoDefault(false);
    cancel_button->setAutoDefault(false);
    auto* buttons_row = new QHBoxLayout;
    buttons_row->addWidget(turntable_button);
    buttons_row->addStretch(1);
    buttons_row->addWidget(ok_button);
    buttons_row->addWidget(cancel_button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(preview, 0, Qt::AlignHCenter);
    layout->addLayout(settings_row);
    layout->addLayout(buttons_row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    width_box->setValue(from_pixels(width_px_));
    connect(preview, &ModelPreview::dragged, this, [this](QPoint by) { run_guarded([&] { turn_by(by); }); });
    for (QSpinBox* box : {yaw_box, pitch_box, roll_box})
        connect(box, &QSpinBox::valueChanged, this, [this] { run_guarded([this] { on_turn_changed(); }); });
    connect(width_box, &QSpinBox::valueChanged, this, [this] { run_guarded([this] { on_width_changed(); }); });
    connect(units_combo, &QComboBox::currentIndexChanged, this, [this] { run_guarded([this] { on_units_changed(); }); });
    connect(turntable_button, &QPushButton::clicked, this, &ModelDialog::turntable_asked);
    connect(base_box, &QSpinBox::valueChanged, this, [this] { run_guarded([this] { on_base_changed(); }); });
    on_turn_changed();
}

bool ModelDialog::execute()
{
    run_modal();
    return cancelled == 0;
}

ModelTurn ModelDialog::turn() const
{
    return {double(yaw_box->value()), double(pitch_box->value()), double(roll_box->value())};
}

ModelDialog::Units ModelDialog::units() const
{
    return units_combo->currentIndex() == 1 ? Units::Pixels : Units::Millimetres;
}

ModelChoice ModelDialog::choice() const
{
    ModelChoice c;
    c.turn = turn();
    c.width_px = width_px_;
    c.height_px = proportional_height(box_, width_px_);
    c.base_mm = base_box->value();
    c.relief_mm = relief_box->value();
    return c;
}

void ModelDialog::turn_by(QPoint drag)
{
    // One degree a pixel: across the preview is nearly a full turn.
    {
        const QSignalBlocker yaw_blocker(yaw_box);
        const QSignalBlocker pitch_blocker(pitch_box);
        yaw_box->setValue(wrapped_degrees(yaw_box->value() + drag.x()));
        pitch_box->setValue(wrapped_degrees(pitch_box->value() + drag.y()));
    }
    on_turn_changed();
}

void ModelDialog::on_turn_changed()
{
    box_ = preview->show_model(mesh_, turn());
    show_height();
}

void ModelDialog::on_width_changed()
{
    width_px_ = to_pixels(width_box->value());
    show_height();
}

void ModelDialog::on_units_changed()
{
    {
        // The width in pixels stays as it was, only shown anew.
        const QSignalBlocker blocker(width_box);
        width_box->setValue(from_pixels(width_px_));
    }
    show_height();
}

void ModelDialog::on_base_changed()
{
    const std::int64_t room = std::int64_t(Configuration.max_height) - base_box->value();
    relief_box->setRange(0, int(std::clamp<std::int64_t>(room, 0, largest_typed_width)));
}

int ModelDialog::to_pixels(int value) const
{
    if (units() == Units::Pixels) return value;
    return int(std::max<double>(1, std::round(double(value) * panel_width_px_ / panel_width_mm_)));
}

int ModelDialog::from_pixels(int pixels) const
{
    if (units() == Units::Pixels) return pixels;
    return int(std::max<double>(1, std::round(double(pixels) * panel_width_mm_ / panel_width_px_)));
}

void ModelDialog::show_height()
{
    const int height_px = proportional_height(box_, width_px_);
    height_box->setText(QString::number(units() == Units::Pixels ? height_px
                                                                  : std::lround(double(height_px) * panel_width_mm_
                                                                                / panel_width_px_)));
}

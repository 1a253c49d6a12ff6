#include "dialogs/panel_dimensions_dialog.h"
#include "core/configuration.h"
#include "platform/guard.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/printer.h"
#include "platform/screen.h"
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

PanelDimensionsDialog* panel_dimensions_dialog = nullptr;

namespace {

enum Source { CurrentForm, Screen, Printer, Custom };

// Read-only boxes take the colour of an inactive frame, writable ones white.
void set_box_look(QLineEdit* box, bool writable)
{
    box->setReadOnly(!writable);
    QPalette colours = box->palette();
    colours.setColor(QPalette::Base, writable ? QColor(Qt::white) : box->palette().color(QPalette::Button));
    box->setPalette(colours);
}

} // namespace

PanelDimensionsDialog::PanelDimensionsDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("panel_dimensions_dialog"));
    setWindowTitle(tr("Panel Dimensions"));

    resolution_group = new QGroupBox(tr("Select panel resolution"), this);
    screen_resolution_radio = new QRadioButton(tr("Screen Resolution"), resolution_group);
    printer_resolution_radio = new QRadioButton(tr("Printer Resolution"), resolution_group);
    resolution_box = new QLineEdit(resolution_group);
    set_box_look(resolution_box, false);
    resolution_units_combo = new QComboBox(resolution_group);
    resolution_units_combo->addItems({tr("dots per inch"), tr("dots per mm")});
    auto* resolution = new QGridLayout(resolution_group);
    resolution->addWidget(screen_resolution_radio, 0, 0);
    resolution->addWidget(printer_resolution_radio, 1, 0);
    resolution->addWidget(resolution_box, 0, 1, 1, 2);
    resolution->addWidget(new QLabel(tr("Units in"), resolution_group), 1, 1);
    resolution->addWidget(resolution_units_combo, 1, 2);

    dimensions_group = new QGroupBox(tr("Select panel dimensions"), this);
    dimensions_source_combo = new QComboBox(dimensions_group);
    dimensions_source_combo->addItems({tr("current form"), tr("screen"), tr("printer"),
                         tr("custom")});
    width_box = new QLineEdit(dimensions_group);
    width_box->setProperty("tag", 1);
    height_box = new QLineEdit(dimensions_group);
    height_box->setProperty("tag", 2);
    dimension_units_combo = new QComboBox(dimensions_group);
    dimension_units_combo->addItems({tr("millimeters"), tr("pixels")});
    auto* dimensions = new QGridLayout(dimensions_group);
    dimensions->addWidget(dimensions_source_combo, 0, 0, 1, 2);
    dimensions->addWidget(new QLabel(tr("Width"), dimensions_group), 1, 0);
    dimensions->addWidget(width_box, 1, 1);
    dimensions->addWidget(new QLabel(tr("Height"), dimensions_group), 2, 0);
    dimensions->addWidget(height_box, 2, 1);
    dimensions->addWidget(new QLabel(tr("Units in"), dimensions_group), 3, 0);
    dimensions->addWidget(dimension_units_combo, 3, 1);

    ok_button = new QPushButton(tr("Ok"), this);
    ok_button->setDefault(true);
    cancel_button = new QPushButton(tr("Cancel"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_button);
    buttons->addWidget(cancel_button);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addWidget(resolution_group);
    layout->addWidget(dimensions_group);
    layout->addLayout(buttons);

    auto guarded = [this](void (PanelDimensionsDialog::*handler)()) {
        return [this, handler] { run_guarded([&] { (this->*handler)(); }); };
    };
    connect(screen_resolution_radio, &QRadioButton::clicked, this,
            guarded(&PanelDimensionsDialog::use_screen_resolution));
    connect(printer_resolution_radio, &QRadioButton::clicked, this,
            guarded(&PanelDimensionsDialog::use_printer_resolution));
    connect(resolution_units_combo, &QComboBox::activated, this,
            guarded(&PanelDimensionsDialog::on_resolution_units_changed));
    connect(dimensions_source_combo, &QComboBox::activated, this, guarded(&PanelDimensionsDialog::refresh_dimensions));
    connect(dimension_units_combo, &QComboBox::activated, this, guarded(&PanelDimensionsDialog::refresh_dimensions));
    connect(ok_button, &QPushButton::clicked, this, guarded(&PanelDimensionsDialog::on_ok_clicked));
    connect(cancel_button, &QPushButton::clicked, this, guarded(&PanelDimensionsDialog::on_cancel_clicked));
    width_box->installEventFilter(this);
    height_box->installEventFilter(this);
}

bool PanelDimensionsDialog::millimetres() const
{
    return dimension_units_combo->currentIndex() != 1;
}

QString PanelDimensionsDialog::unit_word() const
{
    return millimetres() ? tr("mm") : tr("pixels");
}

std::uint8_t PanelDimensionsDialog::execute(QSize main_client_area)
{
    client_area = main_client_area;
    reset_controls();
    // Anything but Ok (Cancel, Escape, the close box) leaves it cancelled.
    cancelled = 1;
    show_modal(*this);
    return cancelled;
}

void PanelDimensionsDialog::reset_controls()
{
    // Without any printer there is no printer resolution or page to divide by.
    const bool printer = printers().current_index() >= 0;
    printer_resolution_radio->setEnabled(printer);
    if (auto* items = qobject_cast<QStandardItemModel*>(dimensions_source_combo->model()))
        items->item(Printer)->setEnabled(printer);
    resolution_units_combo->setCurrentIndex(0);
    screen_resolution_radio->setChecked(true);
    dimensions_source_combo->setCurrentIndex(CurrentForm);
    dimension_units_combo->setCurrentIndex(0);
    use_screen_resolution();
}

void PanelDimensionsDialog::use_screen_resolution()
{
    const ScreenMetrics screen = screen_metrics();
    const Resolution r = screen_resolution(screen.width_px, screen.height_px, Configuration.monitor_width,
                                           Configuration.monitor_height, screen.dpi_x, screen.dpi_y);
    resolution_x = r.x;
    resolution_y = r.y;
    resolution_box->setText(resolution_text(r, resolution_units_combo->currentIndex() == 1));
    refresh_dimensions();
}

void PanelDimensionsDialog::use_printer_resolution()
{
    const PrinterCapabilities printer = printers().capabilities();
    resolution_x = printer.dpi_x;
    resolution_y = printer.dpi_y;
    resolution_box->setText(resolution_text({resolution_x, resolution_y}, resolution_units_combo->currentIndex() == 1));
    refresh_dimensions();
}

void PanelDimensionsDialog::on_resolution_units_changed()
{
    if (printer_resolution_radio->isChecked())
        use_printer_resolution();
    else
        use_screen_resolution();
}

void PanelDimensionsDialog::set_dimension_boxes_writable(bool writable)
{
    set_box_look(width_box, writable);
    set_box_look(height_box, writable);
}

void PanelDimensionsDialog::refresh_dimensions()
{
    const bool mm = millimetres();
    const double fx = unit_factor(resolution_x, mm);
    const double fy = unit_factor(resolution_y, mm);
    switch (dimensions_source_combo->currentIndex()) {
    case CurrentForm: {
        working_width = client_area.width();
        working_height = client_area.height();
        break;
    }
    case Screen: {
        const ScreenMetrics screen = screen_metrics();
        working_width = screen.width_px;
        working_height = screen.height_px;
        break;
    }
    case Printer: {
        const PrinterCapabilities printer = printers().capabilities();
        working_width = printer.printable_width;
        working_height = printer.printable_height;
        break;
    }
    default:
        break;
    }
    set_dimension_boxes_writable(dimensions_source_combo->currentIndex() == Custom);
    const QString unit = unit_word();
    width_box->setText(QStringLiteral("%1 %2").arg(shown_dimension(working_width, fx)).arg(unit));
    height_box->setText(QStringLiteral("%1 %2").arg(shown_dimension(working_height, fy)).arg(unit));
    width_box->setModified(false);
    height_box->setModified(false);
}

void PanelDimensionsDialog::take_dimension(QLineEdit* box)
{
    const QString word = unit_word();
    std::int32_t n = 0;
    if (const std::optional<std::int32_t> read = read_dimension(box->text(), word))
        n = *read;
    else
        message_box(tr("Invalid Value"), MessageKind::Error, MessageButtons::Ok);
    const bool width = box == width_box;
    const double factor = unit_factor(width ? resolution_x : resolution_y, millimetres());
    (width ? working_width : working_height) = working_dimension(n, factor);
    box->setText(QStringLiteral("%1 %2").arg(n).arg(word));
    box->setModified(false);
}

void PanelDimensionsDialog::on_ok_clicked()
{
    // A value typed and confirmed with Enter never left its box.
    for (QLineEdit* box : {width_box, height_box})
        if (box->isModified()) take_dimension(box);
    if (working_width < 1 || working_height < 1) {
        message_box(tr("Width and height must be at least 1 pixel."), MessageKind::Error,
                    MessageButtons::Ok);
        return;
    }
    if (working_width > max_panel_side || working_height > max_panel_side) {
        message_box(tr("Width and height must be at most %1 pixels.").arg(max_panel_side),
                    MessageKind::Error, MessageButtons::Ok);
        return;
    }
    PanelDimensions = panel_dimensions_for(working_width, working_height, {resolution_x, resolution_y});
    cancelled = 0;
    accept();
}

void PanelDimensionsDialog::on_cancel_clicked()
{
    reject();
}

void PanelDimensionsDialog::reject()
{
    cancelled = 1;
    QDialog::reject();
}

bool PanelDimensionsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && (watched == width_box || watched == height_box)) {
        // Focus that only moves to another window (a message box) is no leaving.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            auto* box = static_cast<QLineEdit*>(watched);
            run_guarded([&] { take_dimension(box); });
        }
    }
    return QDialog::eventFilter(watched, event);
}

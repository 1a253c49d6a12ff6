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
    setWindowTitle(QStringLiteral("Panel Dimensions"));

    GroupBox1 = new QGroupBox(QStringLiteral("Select panel resolution"), this);
    RadioButton1 = new QRadioButton(QStringLiteral("Screen Resolution"), GroupBox1);
    RadioButton2 = new QRadioButton(QStringLiteral("Printer Resolution"), GroupBox1);
    Edit1 = new QLineEdit(GroupBox1);
    set_box_look(Edit1, false);
    ComboBox1 = new QComboBox(GroupBox1);
    ComboBox1->addItems({QStringLiteral("dots per inch"), QStringLiteral("dots per mm")});
    auto* resolution = new QGridLayout(GroupBox1);
    resolution->addWidget(RadioButton1, 0, 0);
    resolution->addWidget(RadioButton2, 1, 0);
    resolution->addWidget(Edit1, 0, 1, 1, 2);
    resolution->addWidget(new QLabel(QStringLiteral("Units in"), GroupBox1), 1, 1);
    resolution->addWidget(ComboBox1, 1, 2);

    GroupBox2 = new QGroupBox(QStringLiteral("Select panel dimensions"), this);
    ComboBox2 = new QComboBox(GroupBox2);
    ComboBox2->addItems({QStringLiteral("current form"), QStringLiteral("screen"), QStringLiteral("printer"),
                         QStringLiteral("custom")});
    Edit2 = new QLineEdit(GroupBox2);
    Edit2->setProperty("tag", 1);
    Edit3 = new QLineEdit(GroupBox2);
    Edit3->setProperty("tag", 2);
    ComboBox3 = new QComboBox(GroupBox2);
    ComboBox3->addItems({QStringLiteral("millimeters"), QStringLiteral("pixels")});
    auto* dimensions = new QGridLayout(GroupBox2);
    dimensions->addWidget(ComboBox2, 0, 0, 1, 2);
    dimensions->addWidget(new QLabel(QStringLiteral("Width"), GroupBox2), 1, 0);
    dimensions->addWidget(Edit2, 1, 1);
    dimensions->addWidget(new QLabel(QStringLiteral("Height"), GroupBox2), 2, 0);
    dimensions->addWidget(Edit3, 2, 1);
    dimensions->addWidget(new QLabel(QStringLiteral("Units in"), GroupBox2), 3, 0);
    dimensions->addWidget(ComboBox3, 3, 1);

    Button1 = new QPushButton(QStringLiteral("Ok"), this);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->addLayout(buttons);

    auto guarded = [this](void (PanelDimensionsDialog::*handler)()) {
        return [this, handler] { run_guarded([&] { (this->*handler)(); }); };
    };
    connect(RadioButton1, &QRadioButton::clicked, this, guarded(&PanelDimensionsDialog::RadioButton1Click));
    connect(RadioButton2, &QRadioButton::clicked, this, guarded(&PanelDimensionsDialog::RadioButton2Click));
    connect(ComboBox1, &QComboBox::activated, this, guarded(&PanelDimensionsDialog::ComboBox1Change));
    connect(ComboBox2, &QComboBox::activated, this, guarded(&PanelDimensionsDialog::refresh_dimensions));
    connect(ComboBox3, &QComboBox::activated, this, guarded(&PanelDimensionsDialog::refresh_dimensions));
    connect(Button1, &QPushButton::clicked, this, guarded(&PanelDimensionsDialog::Button1Click));
    connect(Button2, &QPushButton::clicked, this, guarded(&PanelDimensionsDialog::Button2Click));
    Edit2->installEventFilter(this);
    Edit3->installEventFilter(this);
}

bool PanelDimensionsDialog::millimetres() const
{
    return ComboBox3->currentIndex() != 1;
}

QString PanelDimensionsDialog::unit_word() const
{
    return millimetres() ? QStringLiteral("mm") : QStringLiteral("pixels");
}

std::uint8_t PanelDimensionsDialog::execute(QSize main_client_area)
{
    client_area = main_client_area;
    FormShow();
    // Anything but Ok (Cancel, Escape, the close box) leaves it cancelled.
    cancelled = 1;
    show_modal(*this);
    return cancelled;
}

void PanelDimensionsDialog::FormShow()
{
    // Without any printer there is no printer resolution or page to divide by.
    const bool printer = printers().current_index() >= 0;
    RadioButton2->setEnabled(printer);
    if (auto* items = qobject_cast<QStandardItemModel*>(ComboBox2->model()))
        items->item(Printer)->setEnabled(printer);
    ComboBox1->setCurrentIndex(0);
    RadioButton1->setChecked(true);
    ComboBox2->setCurrentIndex(CurrentForm);
    ComboBox3->setCurrentIndex(0);
    RadioButton1Click();
}

void PanelDimensionsDialog::RadioButton1Click()
{
    const ScreenMetrics screen = screen_metrics();
    const Resolution r = screen_resolution(screen.width_px, screen.height_px, Configuration.monitor_width,
                                           Configuration.monitor_height, screen.dpi_x, screen.dpi_y);
    resolution_x = r.x;
    resolution_y = r.y;
    Edit1->setText(resolution_text(r, ComboBox1->currentIndex() == 1));
    refresh_dimensions();
}

void PanelDimensionsDialog::RadioButton2Click()
{
    const PrinterCapabilities printer = printers().capabilities();
    resolution_x = printer.dpi_x;
    resolution_y = printer.dpi_y;
    Edit1->setText(resolution_text({resolution_x, resolution_y}, ComboBox1->currentIndex() == 1));
    refresh_dimensions();
}

void PanelDimensionsDialog::ComboBox1Change()
{
    if (RadioButton2->isChecked())
        RadioButton2Click();
    else
        RadioButton1Click();
}

void PanelDimensionsDialog::set_dimension_boxes_writable(bool writable)
{
    set_box_look(Edit2, writable);
    set_box_look(Edit3, writable);
}

void PanelDimensionsDialog::refresh_dimensions()
{
    const bool mm = millimetres();
    const double fx = unit_factor(resolution_x, mm);
    const double fy = unit_factor(resolution_y, mm);
    const QString unit = mm ? QStringLiteral(" mm") : QStringLiteral(" pixels");
    switch (ComboBox2->currentIndex()) {
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
    set_dimension_boxes_writable(ComboBox2->currentIndex() == Custom);
    Edit2->setText(QString::number(shown_dimension(working_width, fx)) + unit);
    Edit3->setText(QString::number(shown_dimension(working_height, fy)) + unit);
    Edit2->setModified(false);
    Edit3->setModified(false);
}

void PanelDimensionsDialog::EditExit(QLineEdit* box)
{
    const QString word = unit_word();
    std::int32_t n = 0;
    if (const std::optional<std::int32_t> read = read_dimension(box->text(), word))
        n = *read;
    else
        message_box(QStringLiteral("Invalid Value"), MessageKind::Error, MessageButtons::Ok);
    const bool width = box == Edit2;
    const double factor = unit_factor(width ? resolution_x : resolution_y, millimetres());
    (width ? working_width : working_height) = working_dimension(n, factor);
    box->setText(QStringLiteral("%1 %2").arg(n).arg(word));
    box->setModified(false);
}

void PanelDimensionsDialog::Button1Click()
{
    // A value typed and confirmed with Enter never left its box.
    for (QLineEdit* box : {Edit2, Edit3})
        if (box->isModified()) EditExit(box);
    if (working_width < 1 || working_height < 1) {
        message_box(QStringLiteral("Width and height must be at least 1 pixel."), MessageKind::Error,
                    MessageButtons::Ok);
        return;
    }
    if (working_width > max_panel_side || working_height > max_panel_side) {
        message_box(QStringLiteral("Width and height must be at most %1 pixels.").arg(max_panel_side),
                    MessageKind::Error, MessageButtons::Ok);
        return;
    }
    PanelDimensions = panel_dimensions_for(working_width, working_height, {resolution_x, resolution_y});
    cancelled = 0;
    accept();
}

void PanelDimensionsDialog::Button2Click()
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
    if (event->type() == QEvent::FocusOut && (watched == Edit2 || watched == Edit3)) {
        // Focus that only moves to another window (a message box) is no leaving.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            auto* box = static_cast<QLineEdit*>(watched);
            run_guarded([&] { EditExit(box); });
        }
    }
    return QDialog::eventFilter(watched, event);
}

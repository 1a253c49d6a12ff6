#include "dialogs/configuration_dialog.h"
#include "dialogs/spin_button.h"
#include "platform/guard.h"
#include "platform/registry.h"
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <climits>

ConfigurationDialog* configuration_dialog = nullptr;

namespace {

QLabel* label(const QString& text, QWidget* parent)
{
    return new QLabel(text, parent);
}

QFrame* color_sample(QWidget* parent)
{
    auto* sample = new QFrame(parent);
    sample->setFrameShape(QFrame::Box);
    sample->setFixedSize(60, 30);
    sample->setAutoFillBackground(true);
    return sample;
}

QLineEdit* read_only_box(QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setReadOnly(true);
    return box;
}

QWidget* page(QTabWidget* tabs, const QString& caption, const QString& hint)
{
    auto* sheet = new QWidget(tabs);
    const int index = tabs->addTab(sheet, caption);
    tabs->setTabToolTip(index, hint);
    sheet->setStatusTip(hint);
    return sheet;
}

} // namespace

ConfigurationDialog::ConfigurationDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("configuration_dialog"));
    setWindowTitle(tr("Configuration"));
    pages = new QTabWidget(this);
    pages->setUsesScrollButtons(false); // all six tabs in view
    monitor_page = page(pages, tr("Monitor"), tr("Monitor properties"));
    printer_page = page(pages, tr("Printer"), tr("Printer properties"));
    focusing_page = page(pages, tr("Focusing"), tr("Focus properties"));
    panel_page = page(pages, tr("Drawing Panel"), tr("Drawing panel colors"));
    optic_page = page(pages, tr("Optic Settings"), tr("Optic settings"));
    general_page = page(pages, tr("General Settings"), tr("Enviroment settings"));
    build_monitor_page();
    build_printer_page();
    build_focusing_page();
    build_panel_page();
    build_optic_page();
    build_general_page();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    // Without an Ok button the dialog would make its first button the
    // default one, and Enter would press "Computer Settings".
    for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
    connect_handlers();
}

ConfigurationDialog::~ConfigurationDialog() = default;

void ConfigurationDialog::build_monitor_page()
{
    standard_monitor_radio = new QRadioButton(tr("Standard Monitor Size"), monitor_page);
    custom_monitor_radio = new QRadioButton(tr("Custom Monitor Size"), monitor_page);
    monitor_type_label = label(tr("Select Monitor Type"), monitor_page);
    monitor_type_combo = new QComboBox(monitor_page);
    monitor_type_combo->addItems({"14'", "15'", "17'", "19'", "21'"});
    monitor_width_label = label(tr("Width"), monitor_page);
    monitor_height_label = label(tr("Height"), monitor_page);
    monitor_width_unit_label = label(tr("mm"), monitor_page);
    monitor_height_unit_label = label(tr("mm"), monitor_page);
    monitor_width_box = new QSpinBox(monitor_page);
    monitor_height_box = new QSpinBox(monitor_page);
    for (QSpinBox* box : {monitor_width_box, monitor_height_box}) box->setRange(INT_MIN, INT_MAX);
    computer_settings_button = new QPushButton(tr("Computer Settings"), monitor_page);
    auto* grid = new QGridLayout(monitor_page);
    grid->addWidget(standard_monitor_radio, 0, 0, 1, 2);
    grid->addWidget(monitor_type_label, 1, 0);
    grid->addWidget(monitor_type_combo, 1, 1);
    grid->addWidget(custom_monitor_radio, 2, 0, 1, 2);
    grid->addWidget(monitor_width_label, 3, 0);
    grid->addWidget(monitor_width_box, 3, 1);
    grid->addWidget(monitor_width_unit_label, 3, 2);
    grid->addWidget(monitor_height_label, 4, 0);
    grid->addWidget(monitor_height_box, 4, 1);
    grid->addWidget(monitor_height_unit_label, 4, 2);
    grid->addWidget(computer_settings_button, 5, 0, 1, 2);
    grid->setRowStretch(6, 1);
}

void ConfigurationDialog::build_printer_page()
{
    printer_combo = new QComboBox(printer_page);
    setup_printer_button = new QPushButton(tr("Setup Printer"), printer_page);
    printer_units_combo = new QComboBox(printer_page);
    printer_units_combo->addItems({tr("millimeters"), tr("pixels")});
    printer_units_combo->setCurrentIndex(-1);
    auto* size = new QGroupBox(tr("Page Size"), printer_page);
    page_width_box = read_only_box(size);
    page_height_box = read_only_box(size);
    auto* size_layout = new QVBoxLayout(size);
    size_layout->addWidget(page_width_box);
    size_layout->addWidget(page_height_box);
    auto* area = new QGroupBox(tr("Actual Printable Area"), printer_page);
    printable_width_box = read_only_box(area);
    printable_height_box = read_only_box(area);
    auto* area_layout = new QVBoxLayout(area);
    area_layout->addWidget(printable_width_box);
    area_layout->addWidget(printable_height_box);

    // The preview: a grey square with the page and, dotted, its printable
    // area drawn to scale inside it.
    auto* preview = new QGroupBox(tr("Paper Preview"), printer_page);
    auto* canvas = new QWidget(preview);
    canvas->setFixedSize(180, 180);
    paper_frame = new QFrame(canvas);
    paper_frame->setGeometry(10, 10, 160, 160);
    paper_frame->setStyleSheet(QStringLiteral("background: #c0c0c0; border: 1px solid black;"));
    page_frame = new QFrame(canvas);
    page_frame->setStyleSheet(QStringLiteral("background: white; border: 1px solid black;"));
    printable_area_frame = new QFrame(canvas);
    printable_area_frame->setStyleSheet(QStringLiteral("background: transparent; border: 1px dotted black;"));
    page_frame->hide();
    printable_area_frame->hide();
    auto* preview_layout = new QVBoxLayout(preview);
    preview_layout->addWidget(canvas);

    auto* grid = new QGridLayout(printer_page);
    grid->addWidget(label(tr("Available Printer List"), printer_page), 0, 0);
    grid->addWidget(printer_combo, 1, 0);
    grid->addWidget(setup_printer_button, 1, 1);
    grid->addWidget(label(tr("Measurement Units in"), printer_page), 2, 0);
    grid->addWidget(printer_units_combo, 3, 0);
    grid->addWidget(size, 4, 0);
    grid->addWidget(area, 5, 0);
    grid->addWidget(preview, 2, 1, 4, 1);
}

void ConfigurationDialog::build_focusing_page()
{
    focus_cone_radio = new QRadioButton(tr("Set Focus Cone Angle"), focusing_page);
    manual_limits_radio = new QRadioButton(tr("Set Height Limits Manually"), focusing_page);
    focus_angle_box = new QLineEdit(focusing_page);
    focus_angle_spin = new SpinButton(focusing_page);
    degrees_label = label(tr("degrees"), focusing_page);
    max_height_box = new QLineEdit(focusing_page);
    min_height_box = new QLineEdit(focusing_page);
    no_height_array_check = new QCheckBox(tr("Do Not Use Height Array if Exceeds Limit"), focusing_page);
    memory_estimate_label = label(QString(), focusing_page);
    focusing_defaults_button = new QPushButton(tr("Default Settings"), focusing_page);
    auto* angle = new QHBoxLayout;
    angle->addWidget(focus_angle_box);
    angle->addWidget(focus_angle_spin);
    angle->addWidget(degrees_label);
    auto* grid = new QGridLayout(focusing_page);
    grid->addWidget(focus_cone_radio, 0, 0, 1, 3);
    grid->addLayout(angle, 1, 1, 1, 2);
    grid->addWidget(manual_limits_radio, 2, 0, 1, 3);
    grid->addWidget(label(tr("Max Height"), focusing_page), 3, 0);
    grid->addWidget(max_height_box, 3, 1);
    grid->addWidget(label(tr("mm"), focusing_page), 3, 2);
    grid->addWidget(label(tr("Min Height"), focusing_page), 4, 0);
    grid->addWidget(min_height_box, 4, 1);
    grid->addWidget(label(tr("mm"), focusing_page), 4, 2);
    grid->addWidget(no_height_array_check, 5, 0, 1, 3);
    grid->addWidget(label(tr("Memory required for height array:"), focusing_page), 6, 0, 1, 2);
    grid->addWidget(memory_estimate_label, 6, 2);
    grid->addWidget(focusing_defaults_button, 7, 0);
    grid->setRowStretch(8, 1);
}

void ConfigurationDialog::build_panel_page()
{
    background_sample = color_sample(panel_page);
    object_sample = color_sample(panel_page);
    background_color_button = new QPushButton(tr("Change Background Color"), panel_page);
    object_color_button = new QPushButton(tr("Change Object Color"), panel_page);
    default_colors_button = new QPushButton(tr("Default Colors"), panel_page);
    auto* grid = new QGridLayout(panel_page);
    grid->addWidget(label(tr("Background Color"), panel_page), 0, 0);
    grid->addWidget(background_sample, 0, 1);
    grid->addWidget(background_color_button, 0, 2);
    grid->addWidget(label(tr("Object Color"), panel_page), 1, 0);
    grid->addWidget(object_sample, 1, 1);
    grid->addWidget(object_color_button, 1, 2);
    grid->addWidget(default_colors_button, 2, 2);
    grid->setRowStretch(3, 1);
}

void ConfigurationDialog::build_optic_page()
{
    eye_distance_box = new QLineEdit(optic_page);
    level_distance_box = new QLineEdit(optic_page);
    height_array_limit_box = new QLineEdit(optic_page);
    optic_defaults_button = new QPushButton(tr("Default Values"), optic_page);
    auto* grid = new QGridLayout(optic_page);
    grid->addWidget(label(tr("Distance Between Eyes"), optic_page), 0, 0);
    grid->addWidget(eye_distance_box, 0, 1);
    grid->addWidget(label(tr("Eye Distance From Zero Level"), optic_page), 1, 0);
    grid->addWidget(level_distance_box, 1, 1);
    grid->addWidget(label(tr("Height Array Warning Limit"), optic_page), 2, 0);
    grid->addWidget(height_array_limit_box, 2, 1);
    grid->addWidget(optic_defaults_button, 3, 1);
    grid->setRowStretch(4, 1);
}

void ConfigurationDialog::build_general_page()
{
    file_history_box = new QSpinBox(general_page);
    file_history_box->setRange(0, 9);
    undo_depth_box = new QSpinBox(general_page);
    undo_depth_box->setRange(1, 10);
    render_color_range_box = new QLineEdit(general_page);
    render_color_base_box = new QLineEdit(general_page);
    general_defaults_button = new QPushButton(tr("Default Settings"), general_page);
    auto* grid = new QGridLayout(general_page);
    grid->addWidget(label(tr("Number of Files in History"), general_page), 0, 0);
    grid->addWidget(file_history_box, 0, 1);
    grid->addWidget(label(tr("Number of Undo/Redo Actions"), general_page), 1, 0);
    grid->addWidget(undo_depth_box, 1, 1);
    grid->addWidget(label(tr("Render Color Random Range"), general_page), 2, 0);
    grid->addWidget(render_color_range_box, 2, 1);
    grid->addWidget(label(tr("Render Color Base"), general_page), 3, 0);
    grid->addWidget(render_color_base_box, 3, 1);
    grid->addWidget(general_defaults_button, 4, 1);
    grid->setRowStretch(5, 1);
}

void ConfigurationDialog::connect_handlers()
{
    auto guarded = [this](void (ConfigurationDialog::*handler)()) {
        return [this, handler] { run_guarded([&] { (this->*handler)(); }); };
    };
    connect(standard_monitor_radio, &QRadioButton::clicked, this,
            guarded(&ConfigurationDialog::on_standard_monitor_clicked));
    connect(custom_monitor_radio, &QRadioButton::clicked, this,
            guarded(&ConfigurationDialog::on_custom_monitor_clicked));
    connect(monitor_type_combo, &QComboBox::activated, this, guarded(&ConfigurationDialog::on_monitor_type_changed));
    connect(monitor_width_box, &QSpinBox::valueChanged, this, guarded(&ConfigurationDialog::on_monitor_width_changed));
    connect(monitor_height_box, &QSpinBox::valueChanged, this,
            guarded(&ConfigurationDialog::on_monitor_height_changed));
    connect(computer_settings_button, &QPushButton::clicked, this,
            guarded(&ConfigurationDialog::use_computer_settings));

    connect(pages, &QTabWidget::currentChanged, this, [this, guarded](int index) {
        if (pages->widget(index) == printer_page) guarded(&ConfigurationDialog::fill_printer_page)();
    });
    connect(printer_combo, &QComboBox::activated, this, guarded(&ConfigurationDialog::on_printer_changed));
    connect(printer_units_combo, &QComboBox::activated, this, guarded(&ConfigurationDialog::on_printer_units_changed));
    connect(setup_printer_button, &QPushButton::clicked, this, guarded(&ConfigurationDialog::setup_printer));

    connect(focus_cone_radio, &QRadioButton::clicked, this, guarded(&ConfigurationDialog::on_focus_cone_clicked));
    connect(manual_limits_radio, &QRadioButton::clicked, this, guarded(&ConfigurationDialog::on_manual_limits_clicked));
    focus_angle_box->installEventFilter(this);
    connect(focus_angle_spin->up, &QToolButton::clicked, this, guarded(&ConfigurationDialog::on_angle_up_clicked));
    connect(focus_angle_spin->down, &QToolButton::clicked, this, guarded(&ConfigurationDialog::on_angle_down_clicked));
    connect(max_height_box, &QLineEdit::textChanged, this, guarded(&ConfigurationDialog::on_max_height_edited));
    connect(min_height_box, &QLineEdit::textChanged, this, guarded(&ConfigurationDialog::on_min_height_edited));
    connect(no_height_array_check, &QCheckBox::toggled, this,
            guarded(&ConfigurationDialog::on_no_height_array_toggled));
    connect(focusing_defaults_button, &QPushButton::clicked, this,
            guarded(&ConfigurationDialog::restore_focusing_defaults));

    connect(background_color_button, &QPushButton::clicked, this,
            guarded(&ConfigurationDialog::choose_background_color));
    connect(object_color_button, &QPushButton::clicked, this, guarded(&ConfigurationDialog::choose_object_color));
    connect(default_colors_button, &QPushButton::clicked, this, guarded(&ConfigurationDialog::restore_default_colors));

    connect(eye_distance_box, &QLineEdit::textChanged, this, guarded(&ConfigurationDialog::on_eye_distance_edited));
    connect(level_distance_box, &QLineEdit::textChanged, this, guarded(&ConfigurationDialog::on_level_distance_edited));
    connect(height_array_limit_box, &QLineEdit::textChanged, this,
            guarded(&ConfigurationDialog::on_height_array_limit_edited));
    connect(optic_defaults_button, &QPushButton::clicked, this, guarded(&ConfigurationDialog::restore_optic_defaults));

    connect(file_history_box, &QSpinBox::valueChanged, this, guarded(&ConfigurationDialog::on_file_history_changed));
    connect(undo_depth_box, &QSpinBox::valueChanged, this, guarded(&ConfigurationDialog::on_undo_depth_changed));
    connect(render_color_range_box, &QLineEdit::textChanged, this,
            guarded(&ConfigurationDialog::on_render_color_range_edited));
    connect(render_color_base_box, &QLineEdit::textChanged, this,
            guarded(&ConfigurationDialog::on_render_color_base_edited));
    connect(general_defaults_button, &QPushButton::clicked, this,
            guarded(&ConfigurationDialog::restore_general_defaults));
}

bool ConfigurationDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == focus_angle_box && event->type() == QEvent::FocusOut) {
        // Focus that only moves to another window (a message box) is no leaving.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            run_guarded([this] { apply_angle(); });
    }
    return QDialog::eventFilter(watched, event);
}

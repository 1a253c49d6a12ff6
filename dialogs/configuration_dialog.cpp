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
    setWindowTitle(QStringLiteral("Configuration"));
    PageControl1 = new QTabWidget(this);
    PageControl1->setUsesScrollButtons(false); // all six tabs in view
    MonitorSheet = page(PageControl1, QStringLiteral("Monitor"), QStringLiteral("Monitor properties"));
    PrinterSheet = page(PageControl1, QStringLiteral("Printer"), QStringLiteral("Printer properties"));
    FocusingSheet = page(PageControl1, QStringLiteral("Focusing"), QStringLiteral("Focus properties"));
    PanelSheet = page(PageControl1, QStringLiteral("Drawing Panel"), QStringLiteral("Drawing panel colors"));
    OpticSheet = page(PageControl1, QStringLiteral("Optic Settings"), QStringLiteral("Optic settings"));
    GeneralSheet = page(PageControl1, QStringLiteral("General Settings"), QStringLiteral("Enviroment settings"));
    build_monitor_page();
    build_printer_page();
    build_focusing_page();
    build_panel_page();
    build_optic_page();
    build_general_page();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    // Without an Ok button the dialog would make its first button the
    // default one, and Enter would press "Computer Settings".
    for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
    connect_handlers();
}

ConfigurationDialog::~ConfigurationDialog() = default;

void ConfigurationDialog::build_monitor_page()
{
    RadioButton1 = new QRadioButton(QStringLiteral("Standard Monitor Size"), MonitorSheet);
    RadioButton2 = new QRadioButton(QStringLiteral("Custom Monitor Size"), MonitorSheet);
    Label1 = label(QStringLiteral("Select Monitor Type"), MonitorSheet);
    ComboBox1 = new QComboBox(MonitorSheet);
    ComboBox1->addItems({"14'", "15'", "17'", "19'", "21'"});
    Label2 = label(QStringLiteral("Width"), MonitorSheet);
    Label3 = label(QStringLiteral("Height"), MonitorSheet);
    Label4 = label(QStringLiteral("mm"), MonitorSheet);
    Label5 = label(QStringLiteral("mm"), MonitorSheet);
    SpinEdit1 = new QSpinBox(MonitorSheet);
    SpinEdit2 = new QSpinBox(MonitorSheet);
    for (QSpinBox* box : {SpinEdit1, SpinEdit2}) box->setRange(INT_MIN, INT_MAX);
    Button1 = new QPushButton(QStringLiteral("Computer Settings"), MonitorSheet);
    auto* grid = new QGridLayout(MonitorSheet);
    grid->addWidget(RadioButton1, 0, 0, 1, 2);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(ComboBox1, 1, 1);
    grid->addWidget(RadioButton2, 2, 0, 1, 2);
    grid->addWidget(Label2, 3, 0);
    grid->addWidget(SpinEdit1, 3, 1);
    grid->addWidget(Label4, 3, 2);
    grid->addWidget(Label3, 4, 0);
    grid->addWidget(SpinEdit2, 4, 1);
    grid->addWidget(Label5, 4, 2);
    grid->addWidget(Button1, 5, 0, 1, 2);
    grid->setRowStretch(6, 1);
}

void ConfigurationDialog::build_printer_page()
{
    ComboBox2 = new QComboBox(PrinterSheet);
    Button5 = new QPushButton(QStringLiteral("Setup Printer"), PrinterSheet);
    ComboBox3 = new QComboBox(PrinterSheet);
    ComboBox3->addItems({QStringLiteral("millimeters"), QStringLiteral("pixels")});
    ComboBox3->setCurrentIndex(-1);
    auto* size = new QGroupBox(QStringLiteral("Page Size"), PrinterSheet);
    Edit7 = read_only_box(size);
    Edit8 = read_only_box(size);
    auto* size_layout = new QVBoxLayout(size);
    size_layout->addWidget(Edit7);
    size_layout->addWidget(Edit8);
    auto* area = new QGroupBox(QStringLiteral("Actual Printable Area"), PrinterSheet);
    Edit9 = read_only_box(area);
    Edit10 = read_only_box(area);
    auto* area_layout = new QVBoxLayout(area);
    area_layout->addWidget(Edit9);
    area_layout->addWidget(Edit10);

    // The preview: a grey square with the page and, dotted, its printable
    // area drawn to scale inside it.
    auto* preview = new QGroupBox(QStringLiteral("Paper Preview"), PrinterSheet);
    auto* canvas = new QWidget(preview);
    canvas->setFixedSize(180, 180);
    backshape = new QFrame(canvas);
    backshape->setGeometry(10, 10, 160, 160);
    backshape->setStyleSheet(QStringLiteral("background: #c0c0c0; border: 1px solid black;"));
    pageshape = new QFrame(canvas);
    pageshape->setStyleSheet(QStringLiteral("background: white; border: 1px solid black;"));
    actshape = new QFrame(canvas);
    actshape->setStyleSheet(QStringLiteral("background: transparent; border: 1px dotted black;"));
    pageshape->hide();
    actshape->hide();
    auto* preview_layout = new QVBoxLayout(preview);
    preview_layout->addWidget(canvas);

    auto* grid = new QGridLayout(PrinterSheet);
    grid->addWidget(label(QStringLiteral("Available Printer List"), PrinterSheet), 0, 0);
    grid->addWidget(ComboBox2, 1, 0);
    grid->addWidget(Button5, 1, 1);
    grid->addWidget(label(QStringLiteral("Measurement Units in"), PrinterSheet), 2, 0);
    grid->addWidget(ComboBox3, 3, 0);
    grid->addWidget(size, 4, 0);
    grid->addWidget(area, 5, 0);
    grid->addWidget(preview, 2, 1, 4, 1);
}

void ConfigurationDialog::build_focusing_page()
{
    RadioButton3 = new QRadioButton(QStringLiteral("Set Focus Cone Angle"), FocusingSheet);
    RadioButton4 = new QRadioButton(QStringLiteral("Set Height Limits Manually"), FocusingSheet);
    Edit1 = new QLineEdit(FocusingSheet);
    SpinButton1 = new SpinButton(FocusingSheet);
    Label6 = label(QStringLiteral("degrees"), FocusingSheet);
    Edit2 = new QLineEdit(FocusingSheet);
    Edit3 = new QLineEdit(FocusingSheet);
    CheckBox1 = new QCheckBox(QStringLiteral("Do Not Use Height Array if Exceeds Limit"), FocusingSheet);
    Label12 = label(QString(), FocusingSheet);
    Button2 = new QPushButton(QStringLiteral("Default Settings"), FocusingSheet);
    auto* angle = new QHBoxLayout;
    angle->addWidget(Edit1);
    angle->addWidget(SpinButton1);
    angle->addWidget(Label6);
    auto* grid = new QGridLayout(FocusingSheet);
    grid->addWidget(RadioButton3, 0, 0, 1, 3);
    grid->addLayout(angle, 1, 1, 1, 2);
    grid->addWidget(RadioButton4, 2, 0, 1, 3);
    grid->addWidget(label(QStringLiteral("Max Height"), FocusingSheet), 3, 0);
    grid->addWidget(Edit2, 3, 1);
    grid->addWidget(label(QStringLiteral("mm"), FocusingSheet), 3, 2);
    grid->addWidget(label(QStringLiteral("Min Height"), FocusingSheet), 4, 0);
    grid->addWidget(Edit3, 4, 1);
    grid->addWidget(label(QStringLiteral("mm"), FocusingSheet), 4, 2);
    grid->addWidget(CheckBox1, 5, 0, 1, 3);
    grid->addWidget(label(QStringLiteral("Memory required for height array:"), FocusingSheet), 6, 0, 1, 2);
    grid->addWidget(Label12, 6, 2);
    grid->addWidget(Button2, 7, 0);
    grid->setRowStretch(8, 1);
}

void ConfigurationDialog::build_panel_page()
{
    Panel1 = color_sample(PanelSheet);
    Panel2 = color_sample(PanelSheet);
    Button3 = new QPushButton(QStringLiteral("Change Background Color"), PanelSheet);
    Button4 = new QPushButton(QStringLiteral("Change Object Color"), PanelSheet);
    Button6 = new QPushButton(QStringLiteral("Default Colors"), PanelSheet);
    auto* grid = new QGridLayout(PanelSheet);
    grid->addWidget(label(QStringLiteral("Background Color"), PanelSheet), 0, 0);
    grid->addWidget(Panel1, 0, 1);
    grid->addWidget(Button3, 0, 2);
    grid->addWidget(label(QStringLiteral("Object Color"), PanelSheet), 1, 0);
    grid->addWidget(Panel2, 1, 1);
    grid->addWidget(Button4, 1, 2);
    grid->addWidget(Button6, 2, 2);
    grid->setRowStretch(3, 1);
}

void ConfigurationDialog::build_optic_page()
{
    Edit4 = new QLineEdit(OpticSheet);
    Edit5 = new QLineEdit(OpticSheet);
    Edit6 = new QLineEdit(OpticSheet);
    Button7 = new QPushButton(QStringLiteral("Default Values"), OpticSheet);
    auto* grid = new QGridLayout(OpticSheet);
    grid->addWidget(label(QStringLiteral("Distance Between Eyes"), OpticSheet), 0, 0);
    grid->addWidget(Edit4, 0, 1);
    grid->addWidget(label(QStringLiteral("Eye Distance From Zero Level"), OpticSheet), 1, 0);
    grid->addWidget(Edit5, 1, 1);
    grid->addWidget(label(QStringLiteral("Height Array Warning Limit"), OpticSheet), 2, 0);
    grid->addWidget(Edit6, 2, 1);
    grid->addWidget(Button7, 3, 1);
    grid->setRowStretch(4, 1);
}

void ConfigurationDialog::build_general_page()
{
    SpinEdit3 = new QSpinBox(GeneralSheet);
    SpinEdit3->setRange(0, 9);
    SpinEdit4 = new QSpinBox(GeneralSheet);
    SpinEdit4->setRange(1, 10);
    Edit11 = new QLineEdit(GeneralSheet);
    Edit12 = new QLineEdit(GeneralSheet);
    Button8 = new QPushButton(QStringLiteral("Default Settings"), GeneralSheet);
    auto* grid = new QGridLayout(GeneralSheet);
    grid->addWidget(label(QStringLiteral("Number of Files in History"), GeneralSheet), 0, 0);
    grid->addWidget(SpinEdit3, 0, 1);
    grid->addWidget(label(QStringLiteral("Number of Undo/Redo Actions"), GeneralSheet), 1, 0);
    grid->addWidget(SpinEdit4, 1, 1);
    grid->addWidget(label(QStringLiteral("Render Color Random Range"), GeneralSheet), 2, 0);
    grid->addWidget(Edit11, 2, 1);
    grid->addWidget(label(QStringLiteral("Render Color Base"), GeneralSheet), 3, 0);
    grid->addWidget(Edit12, 3, 1);
    grid->addWidget(Button8, 4, 1);
    grid->setRowStretch(5, 1);
}

void ConfigurationDialog::connect_handlers()
{
    auto guarded = [this](void (ConfigurationDialog::*handler)()) {
        return [this, handler] { run_guarded([&] { (this->*handler)(); }); };
    };
    connect(RadioButton1, &QRadioButton::clicked, this, guarded(&ConfigurationDialog::RadioButton1Click));
    connect(RadioButton2, &QRadioButton::clicked, this, guarded(&ConfigurationDialog::RadioButton2Click));
    connect(ComboBox1, &QComboBox::activated, this, guarded(&ConfigurationDialog::ComboBox1Change));
    connect(SpinEdit1, &QSpinBox::valueChanged, this, guarded(&ConfigurationDialog::SpinEdit1Change));
    connect(SpinEdit2, &QSpinBox::valueChanged, this, guarded(&ConfigurationDialog::SpinEdit2Change));
    connect(Button1, &QPushButton::clicked, this, guarded(&ConfigurationDialog::Button1Click));

    connect(PageControl1, &QTabWidget::currentChanged, this, [this, guarded](int index) {
        if (PageControl1->widget(index) == PrinterSheet) guarded(&ConfigurationDialog::fill_printer_page)();
    });
    connect(ComboBox2, &QComboBox::activated, this, guarded(&ConfigurationDialog::ComboBox2Change));
    connect(ComboBox3, &QComboBox::activated, this, guarded(&ConfigurationDialog::ComboBox3Change));
    connect(Button5, &QPushButton::clicked, this, guarded(&ConfigurationDialog::Button5Click));

    connect(RadioButton3, &QRadioButton::clicked, this, guarded(&ConfigurationDialog::RadioButton3Click));
    connect(RadioButton4, &QRadioButton::clicked, this, guarded(&ConfigurationDialog::RadioButton4Click));
    Edit1->installEventFilter(this);
    connect(SpinButton1->up, &QToolButton::clicked, this, guarded(&ConfigurationDialog::SpinButton1UpClick));
    connect(SpinButton1->down, &QToolButton::clicked, this, guarded(&ConfigurationDialog::SpinButton1DownClick));
    connect(Edit2, &QLineEdit::textChanged, this, guarded(&ConfigurationDialog::Edit2Change));
    connect(Edit3, &QLineEdit::textChanged, this, guarded(&ConfigurationDialog::Edit3Change));
    connect(CheckBox1, &QCheckBox::toggled, this, guarded(&ConfigurationDialog::CheckBox1Click));
    connect(Button2, &QPushButton::clicked, this, guarded(&ConfigurationDialog::Button2Click));

    connect(Button3, &QPushButton::clicked, this, guarded(&ConfigurationDialog::Button3Click));
    connect(Button4, &QPushButton::clicked, this, guarded(&ConfigurationDialog::Button4Click));
    connect(Button6, &QPushButton::clicked, this, guarded(&ConfigurationDialog::Button6Click));

    connect(Edit4, &QLineEdit::textChanged, this, guarded(&ConfigurationDialog::Edit4Change));
    connect(Edit5, &QLineEdit::textChanged, this, guarded(&ConfigurationDialog::Edit5Change));
    connect(Edit6, &QLineEdit::textChanged, this, guarded(&ConfigurationDialog::Edit6Change));
    connect(Button7, &QPushButton::clicked, this, guarded(&ConfigurationDialog::Button7Click));

    connect(SpinEdit3, &QSpinBox::valueChanged, this, guarded(&ConfigurationDialog::SpinEdit3Change));
    connect(SpinEdit4, &QSpinBox::valueChanged, this, guarded(&ConfigurationDialog::SpinEdit4Change));
    connect(Edit11, &QLineEdit::textChanged, this, guarded(&ConfigurationDialog::Edit11Change));
    connect(Edit12, &QLineEdit::textChanged, this, guarded(&ConfigurationDialog::Edit12Change));
    connect(Button8, &QPushButton::clicked, this, guarded(&ConfigurationDialog::Button8Click));
}

bool ConfigurationDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit1 && event->type() == QEvent::FocusOut) {
        // Focus that only moves to another window (a message box) is no leaving.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            run_guarded([this] { apply_angle(); });
    }
    return QDialog::eventFilter(watched, event);
}

#include "dialogs/morphology_dialog.h"
#include "core/configuration.h"
#include "core/object_size.h"
#include "dialogs/focus_exit.h"
#include "dialogs/number_text.h"
#include "platform/guard.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/regular_file.h"
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

MorphologyDialog* morphology_dialog = nullptr;

namespace {

const char* const corner_hint = "Doubleclick on each node to set all edges with equal height";

QLabel* label(QWidget* parent, const QString& text, int x, int y, int width = 160)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, width, 20);
    return l;
}

QLineEdit* edit(QWidget* parent, int x, int y, int width = 56)
{
    auto* e = new QLineEdit(parent);
    e->setGeometry(x, y, width, 22);
    return e;
}

// White boxes take input; boxes in the button-face colour only show values.
void paint_box(QLineEdit* box, bool white)
{
    QPalette colours = box->palette();
    colours.setColor(QPalette::Base, white ? QColor(Qt::white) : colours.color(QPalette::Button));
    box->setPalette(colours);
}

void uncheck(QRadioButton* button)
{
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

} // namespace

CornerNode::CornerNode(QWidget* parent, int node_tag)
    : QFrame(parent)
    , tag(node_tag)
{
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    setPalette(colours);
    setToolTip(QString::fromLatin1(corner_hint));
}

void CornerNode::mousePressEvent(QMouseEvent* event)
{
    emit pressed(this, false);
    QFrame::mousePressEvent(event);
}

void CornerNode::mouseDoubleClickEvent(QMouseEvent* event)
{
    emit pressed(this, true);
    QFrame::mouseDoubleClickEvent(event);
}

long long fourth_corner(const QString& corner1, const QString& corner2, const QString& corner3)
{
    // In 64 bits: three 32-bit heights cannot overflow here.
    return static_cast<long long>(integer_or_zero(corner2)) + integer_or_zero(corner3) - integer_or_zero(corner1);
}

QString invalid_corner_message(int corner)
{
    return QStringLiteral("Μη επιτρεπτή τιμή του σημείου ") + QString::number(corner);
}

QString color_range_message()
{
    return QStringLiteral("The bitmap has no pixels of the chosen color to take heights from "
                          "(its min color value is above its max color value): choose another color or bitmap.");
}

QString corner_out_of_range_message(int corner, int min_height, int max_height)
{
    return QStringLiteral("Τιμή σημείου ") + QString::number(corner) + QStringLiteral(" εκτός ορίων.\n")
        + QStringLiteral("Επιτρεπτές τιμές από %1 ως %2.").arg(min_height).arg(max_height);
}

MorphologyDialog::MorphologyDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Set Height Morphology"));
    setObjectName(QStringLiteral("morphology_dialog"));
    reset_morphology(morphology);
    auto guarded = [this](void (MorphologyDialog::*handler)()) { return [this, handler] { run_guarded([&] { (this->*handler)(); }); }; };

    // Flat surface: the corner diagram and the four height boxes.
    RadioButton1 = new QRadioButton(QStringLiteral("Define flat surface by setting edge heights"), this);
    RadioButton1->setGeometry(16, 12, 290, 20);
    Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setGeometry(16, 36, 290, 206);
    Shape1 = new QFrame(Panel1);
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setGeometry(90, 44, 110, 80);
    Shape1->setToolTip(QString::fromLatin1(corner_hint));
    Shape2 = new CornerNode(Panel1, 1);
    Shape3 = new CornerNode(Panel1, 2);
    Shape4 = new CornerNode(Panel1, 3);
    Shape5 = new CornerNode(Panel1, 4);
    Shape2->setGeometry(86, 40, 8, 8);
    Shape3->setGeometry(196, 40, 8, 8);
    Shape4->setGeometry(86, 120, 8, 8);
    Shape5->setGeometry(196, 120, 8, 8);
    label(Panel1, QStringLiteral("1"), 76, 26, 10);
    label(Panel1, QStringLiteral("2"), 208, 26, 10);
    label(Panel1, QStringLiteral("3"), 76, 126, 10);
    label(Panel1, QStringLiteral("4"), 208, 126, 10);
    Edit1 = edit(Panel1, 20, 14);
    Edit2 = edit(Panel1, 214, 14);
    Edit3 = edit(Panel1, 20, 140);
    Edit4 = edit(Panel1, 214, 140);
    Edit4->setEnabled(false);
    Label5 = label(Panel1, QStringLiteral("Measurement Unit: mm"), 20, 176);

    // Morphology bitmap.
    RadioButton2 = new QRadioButton(QStringLiteral("Insert morphology bitmap"), this);
    RadioButton2->setGeometry(322, 12, 300, 20);
    Panel2 = new QFrame(this);
    Panel2->setFrameShape(QFrame::StyledPanel);
    Panel2->setGeometry(322, 36, 368, 236);
    Label6 = label(Panel2, QStringLiteral("Press Find to define bitmap file"), 8, 6, 280);
    Edit5 = edit(Panel2, 8, 28, 264);
    Edit5->setReadOnly(true);
    Button3 = new QPushButton(QStringLiteral("Find..."), Panel2);
    Button3->setGeometry(280, 27, 80, 24);
    label(Panel2, QStringLiteral("Select main color:"), 8, 60, 120);
    rbRed = new QRadioButton(QStringLiteral("Red"), Panel2);
    rbGreen = new QRadioButton(QStringLiteral("Green"), Panel2);
    rbBlue = new QRadioButton(QStringLiteral("Blue"), Panel2);
    rbRed->setGeometry(128, 60, 56, 20);
    rbGreen->setGeometry(184, 60, 62, 20);
    rbBlue->setGeometry(246, 60, 56, 20);
    label(Panel2, QStringLiteral("Min color value"), 8, 90);
    Edit6 = edit(Panel2, 268, 88);
    label(Panel2, QStringLiteral("Max color value"), 8, 116);
    Edit7 = edit(Panel2, 268, 114);
    Edit6->setEnabled(false);
    Edit7->setEnabled(false);
    paint_box(Edit6, false);
    paint_box(Edit7, false);
    label(Panel2, QStringLiteral("Height for min color value"), 8, 142, 190);
    Edit8 = edit(Panel2, 268, 140);
    label(Panel2, QStringLiteral("mm"), 328, 142, 30);
    label(Panel2, QStringLiteral("Height for max color value"), 8, 168, 190);
    Edit9 = edit(Panel2, 268, 166);
    label(Panel2, QStringLiteral("mm"), 328, 168, 30);
    paint_box(Edit8, true);
    paint_box(Edit9, true);
    CheckBox1 = new QCheckBox(QStringLiteral("Clip image parts having height under"), Panel2);
    CheckBox1->setGeometry(8, 196, 258, 22);
    Edit10 = edit(Panel2, 268, 196);
    label(Panel2, QStringLiteral("mm"), 328, 198, 30);
    enable_clip_height(false);

    Button1 = new QPushButton(QStringLiteral("Ok"), this);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button1->setGeometry(16, 248, 80, 25);
    Button2->setGeometry(106, 248, 80, 25);
    Button1->setDefault(true);

    OpenPictureDialog1.Title = QStringLiteral("Select Bitmap File");
    OpenPictureDialog1.Filter = QStringLiteral("Bitmaps (*.bmp)|*.bmp");
    OpenPictureDialog1.DefaultExt = QStringLiteral("bmp");

    connect(RadioButton1, &QRadioButton::clicked, this, guarded(&MorphologyDialog::RadioButton1Click));
    connect(RadioButton2, &QRadioButton::clicked, this, guarded(&MorphologyDialog::RadioButton2Click));
    for (QLineEdit* box : {Edit1, Edit2, Edit3})
        connect(box, &QLineEdit::textChanged, this, guarded(&MorphologyDialog::calculate_edge));
    for (CornerNode* node : {Shape2, Shape3, Shape4, Shape5})
        connect(node, &CornerNode::pressed, this,
                [this](CornerNode* sender, bool twice) { run_guarded([&] { assign_level(sender, twice); }); });
    connect(Edit5, &QLineEdit::textChanged, this, guarded(&MorphologyDialog::Edit5Change));
    connect(rbRed, &QRadioButton::clicked, this, guarded(&MorphologyDialog::rbRedClick));
    connect(rbGreen, &QRadioButton::clicked, this, guarded(&MorphologyDialog::rbGreenClick));
    connect(rbBlue, &QRadioButton::clicked, this, guarded(&MorphologyDialog::rbBlueClick));
    connect(Edit6, &QLineEdit::textChanged, this, guarded(&MorphologyDialog::Edit6Change));
    connect(Edit7, &QLineEdit::textChanged, this, guarded(&MorphologyDialog::Edit7Change));
    new FocusExit(Edit8, [this] { Edit8Exit(); });
    new FocusExit(Edit9, [this] { Edit9Exit(); });
    new FocusExit(Edit10, [this] { Edit10Exit(); });
    connect(CheckBox1, &QCheckBox::clicked, this, guarded(&MorphologyDialog::CheckBox1Click));
    connect(Button3, &QPushButton::clicked, this, guarded(&MorphologyDialog::Button3Click));
    connect(Button1, &QPushButton::clicked, this, guarded(&MorphologyDialog::Button1Click));
    connect(Button2, &QPushButton::clicked, this, guarded(&MorphologyDialog::Button2Click));

    flat_controls_ = {Panel1};
    bitmap_controls_ = {Panel2};
}

void MorphologyDialog::ShowModal()
{
    FormShow();
    show_modal(*this);
}

void MorphologyDialog::FormShow()
{
    const QRect bitmap_panel = Panel2->geometry();
    setFixedSize(bitmap_panel.x() + bitmap_panel.width() + 32, bitmap_panel.y() + bitmap_panel.height() + 32);

    if (morphology.flat_surface == 1) {
        RadioButton1->setChecked(true);
        RadioButton1Click();
        Edit1->setText(QString::number(morphology.edge_heights[0]));
        Edit2->setText(QString::number(morphology.edge_heights[1]));
        Edit3->setText(QString::number(morphology.edge_heights[2]));
        Edit4->setText(QString::number(morphology.edge_heights[3]));
        Edit5->clear();
        for (QRadioButton* button : {rbRed, rbGreen, rbBlue}) uncheck(button);
        for (QLineEdit* box : {Edit6, Edit7, Edit8, Edit9}) box->clear();
        CheckBox1->setChecked(false);
        Edit10->clear();
        enable_clip_height(false);
        return;
    }

    RadioButton2->setChecked(true);
    RadioButton2Click();
    const Morphology shown = morphology; // the boxes below write into the record as they fill
    Edit5->setText(QString::fromLocal8Bit(shown.bitmap_file));
    QRadioButton* channel = nullptr;
    if (shown.main_color >= 1 && shown.main_color <= 3) {
        const int at = 2 * (shown.main_color - 1);
        color_limits[at] = shown.min_color_value;
        color_limits[at + 1] = shown.max_color_value;
        channel = shown.main_color == 1 ? rbRed : shown.main_color == 2 ? rbGreen : rbBlue;
    }
    for (QRadioButton* button : {rbRed, rbGreen, rbBlue}) {
        if (button == channel) button->setChecked(true);
        else uncheck(button);
    }
    Edit6->setText(QString::number(shown.min_color_value));
    Edit7->setText(QString::number(shown.max_color_value));
    Edit8->setText(QString::number(shown.min_color_height));
    Edit9->setText(QString::number(shown.max_color_height));
    const bool clipped = shown.clip_enabled == 1;
    CheckBox1->setChecked(clipped);
    if (clipped) Edit10->setText(QString::number(shown.clip_height));
    else Edit10->clear();
    enable_clip_height(clipped);
    for (QLineEdit* box : {Edit1, Edit2, Edit3, Edit4}) box->clear();
    morphology = shown;
}

void MorphologyDialog::RadioButton1Click()
{
    morphology.flat_surface = 1;
    for (QWidget* w : bitmap_controls_) w->setEnabled(false);
    for (QWidget* w : flat_controls_) w->setEnabled(true);
}

void MorphologyDialog::RadioButton2Click()
{
    morphology.flat_surface = 0;
    for (QWidget* w : flat_controls_) w->setEnabled(false);
    for (QWidget* w : bitmap_controls_) w->setEnabled(true);
}

void MorphologyDialog::calculate_edge()
{
    Edit4->setText(QString::number(fourth_corner(Edit1->text(), Edit2->text(), Edit3->text())));
}

QLineEdit* MorphologyDialog::corner_box(int corner) const
{
    switch (corner) {
    case 1: return Edit1;
    case 2: return Edit2;
    case 3: return Edit3;
    default: return Edit4;
    }
}

void MorphologyDialog::assign_level(CornerNode* sender, bool double_click)
{
    if (!double_click || !sender) return;
    const std::optional<int> level = integer_value(corner_box(sender->tag)->text());
    if (!level) return;
    const QString text = QString::number(*level);
    for (QLineEdit* box : {Edit1, Edit2, Edit3, Edit4}) box->setText(text);
}

void MorphologyDialog::Edit5Change()
{
    morphology.bitmap_file = Edit5->text().left(Morphology::max_path_bytes).toLocal8Bit();
}

void MorphologyDialog::choose_color(int color)
{
    const int at = 2 * (color - 1);
    Edit6->setText(QString::number(color_limits[at]));
    Edit7->setText(QString::number(color_limits[at + 1]));
    morphology.main_color = color;
}

void MorphologyDialog::rbRedClick() { choose_color(1); }
void MorphologyDialog::rbGreenClick() { choose_color(2); }
void MorphologyDialog::rbBlueClick() { choose_color(3); }

void MorphologyDialog::Edit6Change() { morphology.min_color_value = integer_or_zero(Edit6->text()); }
void MorphologyDialog::Edit7Change() { morphology.max_color_value = integer_or_zero(Edit7->text()); }
void MorphologyDialog::Edit8Exit() { morphology.min_color_height = integer_or_zero(Edit8->text()); }
void MorphologyDialog::Edit9Exit() { morphology.max_color_height = integer_or_zero(Edit9->text()); }
void MorphologyDialog::Edit10Exit() { morphology.clip_height = integer_or_zero(Edit10->text()); }

void MorphologyDialog::enable_clip_height(bool enabled)
{
    Edit10->setEnabled(enabled);
    paint_box(Edit10, enabled);
}

void MorphologyDialog::CheckBox1Click()
{
    const bool checked = CheckBox1->isChecked();
    morphology.clip_enabled = checked ? 1 : 0;
    enable_clip_height(checked);
}

void MorphologyDialog::Button3Click()
{
    OpenPictureDialog1.InitialDir = drawing_folder ? drawing_folder() : QString();
    if (!OpenPictureDialog1.Execute()) return;
    const QString path = OpenPictureDialog1.FileName;
    if (!QFileInfo(path).isFile()) {
        message_box(QStringLiteral("File does not exist."), MessageKind::Error, MessageButtons::Ok);
        return;
    }
    // Only a regular file is read: a FIFO would wait for a writer for ever.
    const platform::FileContents file = platform::read_regular_file(path, platform::largest_image_file(max_object_pixels));
    if (!file.error.isEmpty()) throw DioramixError(file.error);
    QString unused;
    const QImage image = platform::decode_image(file.bytes, QByteArray(), max_object_pixels, unused);
    if (image.isNull() || image.width() < 1 || image.height() < 1) {
        message_box(QStringLiteral("Not a valid bitmap."), MessageKind::Error, MessageButtons::Ok);
        return;
    }
    Edit5->setText(path);
    color_limits = scan_channel_ranges(image);
}

void MorphologyDialog::store_corners()
{
    int corner = 1;
    try {
        for (; corner <= 4; ++corner) {
            const std::optional<int> height = integer_value(corner_box(corner)->text());
            if (!height) {
                message_box(invalid_corner_message(corner), MessageKind::Error, MessageButtons::Ok);
                break;
            }
            morphology.edge_heights[corner - 1] = *height;
            if (*height < Configuration.min_height || *height > Configuration.max_height)
                throw ERangeExceed(
                    corner_out_of_range_message(corner, Configuration.min_height, Configuration.max_height));
        }
    } catch (const ERangeExceed& error) {
        message_box(error.text(), MessageKind::Error, MessageButtons::Ok);
    }
    if (corner <= 4) {
        // The fourth box is computed from the others and cannot take the focus:
        // the user corrects corners 1 to 3 instead.
        if (corner < 4) {
            corner_box(corner)->setText(QStringLiteral("0"));
            corner_box(corner)->setFocus();
        }
        return;
    }
    confirmed = 1;
    accept();
}

void MorphologyDialog::Button1Click()
{
    if (morphology.flat_surface == 1) {
        store_corners();
        return;
    }
    // What was typed is taken even when the box still has the focus (Enter
    // pressed on the default button).
    Edit8Exit();
    Edit9Exit();
    if (CheckBox1->isChecked()) Edit10Exit();
    morphology.clip_enabled = CheckBox1->isChecked() ? 1 : 0;

    QString problem;
    if (Edit5->text().isEmpty()) problem = QStringLiteral("No bitmap file defined.");
    else if (!rbRed->isChecked() && !rbGreen->isChecked() && !rbBlue->isChecked())
        problem = QStringLiteral("Select main color.");
    else if (morphology.min_color_value > morphology.max_color_value)
        problem = color_range_message();
    else if (Edit8->text().isEmpty() || Edit9->text().isEmpty())
        problem = QStringLiteral("Define heights for min and max color values.");
    else if (CheckBox1->isChecked() && Edit10->text().isEmpty()) problem = QStringLiteral("Define clip height.");
    if (!problem.isEmpty()) {
        message_box(problem, MessageKind::Error, MessageButtons::Ok);
        return;
    }
    confirmed = 1;
    accept();
}

void MorphologyDialog::Button2Click()
{
    reject();
}

void MorphologyDialog::reject()
{
    confirmed = 0;
    QDialog::reject();
}

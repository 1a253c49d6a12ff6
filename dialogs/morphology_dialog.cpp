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
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

MorphologyDialog* morphology_dialog = nullptr;

namespace {

const char* const corner_hint =
    QT_TRANSLATE_NOOP("MorphologyDialog", "Doubleclick on each node to set all edges with equal height");

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
    setToolTip(QCoreApplication::translate("MorphologyDialog", corner_hint));
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
    return QCoreApplication::translate("MorphologyDialog", "Invalid value of point %1").arg(corner);
}

QString color_range_message()
{
    return QCoreApplication::translate("MorphologyDialog",
                                       "The bitmap has no pixels of the chosen color to take heights from "
                                       "(its min color value is above its max color value): choose another "
                                       "color or bitmap.");
}

QString corner_out_of_range_message(int corner, int min_height, int max_height)
{
    return QCoreApplication::translate("MorphologyDialog", "Value of point %1 out of range.").arg(corner) + u'\n'
        + QCoreApplication::translate("MorphologyDialog", "Allowed values from %1 to %2.").arg(min_height).arg(max_height);
}

MorphologyDialog::MorphologyDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Set Height Morphology"));
    setObjectName(QStringLiteral("morphology_dialog"));
    reset_morphology(morphology);
    auto guarded = [this](void (MorphologyDialog::*handler)()) {
        return [this, handler] { run_guarded([&] { (this->*handler)(); }); };
    };

    // Flat surface: the corner diagram and the four height boxes.
    flat_surface_radio = new QRadioButton(tr("Define flat surface by setting edge heights"), this);
    flat_surface_radio->setGeometry(16, 12, 290, 20);
    flat_surface_panel = new QFrame(this);
    flat_surface_panel->setFrameShape(QFrame::StyledPanel);
    flat_surface_panel->setGeometry(16, 36, 290, 206);
    diagram_frame = new QFrame(flat_surface_panel);
    diagram_frame->setFrameShape(QFrame::Box);
    diagram_frame->setGeometry(90, 44, 110, 80);
    diagram_frame->setToolTip(tr(corner_hint));
    left_top_node = new CornerNode(flat_surface_panel, 1);
    right_top_node = new CornerNode(flat_surface_panel, 2);
    left_bottom_node = new CornerNode(flat_surface_panel, 3);
    right_bottom_node = new CornerNode(flat_surface_panel, 4);
    left_top_node->setGeometry(86, 40, 8, 8);
    right_top_node->setGeometry(196, 40, 8, 8);
    left_bottom_node->setGeometry(86, 120, 8, 8);
    right_bottom_node->setGeometry(196, 120, 8, 8);
    label(flat_surface_panel, QStringLiteral("1"), 76, 26, 10);
    label(flat_surface_panel, QStringLiteral("2"), 208, 26, 10);
    label(flat_surface_panel, QStringLiteral("3"), 76, 126, 10);
    label(flat_surface_panel, QStringLiteral("4"), 208, 126, 10);
    left_top_box = edit(flat_surface_panel, 20, 14);
    right_top_box = edit(flat_surface_panel, 214, 14);
    left_bottom_box = edit(flat_surface_panel, 20, 140);
    right_bottom_box = edit(flat_surface_panel, 214, 140);
    right_bottom_box->setEnabled(false);
    unit_label = label(flat_surface_panel, tr("Measurement Unit: mm"), 20, 176);

    // Morphology bitmap.
    bitmap_radio = new QRadioButton(tr("Insert morphology bitmap"), this);
    bitmap_radio->setGeometry(322, 12, 300, 20);
    bitmap_panel = new QFrame(this);
    bitmap_panel->setFrameShape(QFrame::StyledPanel);
    bitmap_panel->setGeometry(322, 36, 368, 236);
    bitmap_prompt_label = label(bitmap_panel, tr("Press Find to define bitmap file"), 8, 6, 280);
    bitmap_file_box = edit(bitmap_panel, 8, 28, 264);
    bitmap_file_box->setReadOnly(true);
    find_button = new QPushButton(tr("Find..."), bitmap_panel);
    find_button->setGeometry(280, 27, 80, 24);
    label(bitmap_panel, tr("Select main color:"), 8, 60, 120);
    red_radio = new QRadioButton(tr("Red"), bitmap_panel);
    green_radio = new QRadioButton(tr("Green"), bitmap_panel);
    blue_radio = new QRadioButton(tr("Blue"), bitmap_panel);
    red_radio->setGeometry(128, 60, 56, 20);
    green_radio->setGeometry(184, 60, 62, 20);
    blue_radio->setGeometry(246, 60, 56, 20);
    label(bitmap_panel, tr("Min color value"), 8, 90);
    min_color_box = edit(bitmap_panel, 268, 88);
    label(bitmap_panel, tr("Max color value"), 8, 116);
    max_color_box = edit(bitmap_panel, 268, 114);
    min_color_box->setEnabled(false);
    max_color_box->setEnabled(false);
    paint_box(min_color_box, false);
    paint_box(max_color_box, false);
    label(bitmap_panel, tr("Height for min color value"), 8, 142, 190);
    min_color_height_box = edit(bitmap_panel, 268, 140);
    label(bitmap_panel, tr("mm"), 328, 142, 30);
    label(bitmap_panel, tr("Height for max color value"), 8, 168, 190);
    max_color_height_box = edit(bitmap_panel, 268, 166);
    label(bitmap_panel, tr("mm"), 328, 168, 30);
    paint_box(min_color_height_box, true);
    paint_box(max_color_height_box, true);
    clip_check = new QCheckBox(tr("Clip image parts having height under"), bitmap_panel);
    clip_check->setGeometry(8, 196, 258, 22);
    clip_height_box = edit(bitmap_panel, 268, 196);
    label(bitmap_panel, tr("mm"), 328, 198, 30);
    enable_clip_height(false);

    ok_button = new QPushButton(tr("Ok"), this);
    cancel_button = new QPushButton(tr("Cancel"), this);
    ok_button->setGeometry(16, 248, 80, 25);
    cancel_button->setGeometry(106, 248, 80, 25);
    ok_button->setDefault(true);

    bitmap_file_dialog.title = tr("Select Bitmap File");
    bitmap_file_dialog.filter = tr("Bitmaps (*.bmp)|*.bmp");
    bitmap_file_dialog.default_suffix = QStringLiteral("bmp");

    connect(flat_surface_radio, &QRadioButton::clicked, this, guarded(&MorphologyDialog::on_flat_surface_clicked));
    connect(bitmap_radio, &QRadioButton::clicked, this, guarded(&MorphologyDialog::on_bitmap_clicked));
    for (QLineEdit* box : {left_top_box, right_top_box, left_bottom_box})
        connect(box, &QLineEdit::textChanged, this, guarded(&MorphologyDialog::calculate_edge));
    for (CornerNode* node : {left_top_node, right_top_node, left_bottom_node, right_bottom_node})
        connect(node, &CornerNode::pressed, this,
                [this](CornerNode* sender, bool twice) { run_guarded([&] { assign_level(sender, twice); }); });
    connect(bitmap_file_box, &QLineEdit::textChanged, this, guarded(&MorphologyDialog::on_bitmap_file_edited));
    connect(red_radio, &QRadioButton::clicked, this, guarded(&MorphologyDialog::on_red_clicked));
    connect(green_radio, &QRadioButton::clicked, this, guarded(&MorphologyDialog::on_green_clicked));
    connect(blue_radio, &QRadioButton::clicked, this, guarded(&MorphologyDialog::on_blue_clicked));
    connect(min_color_box, &QLineEdit::textChanged, this, guarded(&MorphologyDialog::on_min_color_edited));
    connect(max_color_box, &QLineEdit::textChanged, this, guarded(&MorphologyDialog::on_max_color_edited));
    new FocusExit(min_color_height_box, [this] { take_min_color_height(); });
    new FocusExit(max_color_height_box, [this] { take_max_color_height(); });
    new FocusExit(clip_height_box, [this] { take_clip_height(); });
    connect(clip_check, &QCheckBox::clicked, this, guarded(&MorphologyDialog::on_clip_clicked));
    connect(find_button, &QPushButton::clicked, this, guarded(&MorphologyDialog::find_bitmap));
    connect(ok_button, &QPushButton::clicked, this, guarded(&MorphologyDialog::on_ok_clicked));
    connect(cancel_button, &QPushButton::clicked, this, guarded(&MorphologyDialog::on_cancel_clicked));

    flat_controls_ = {flat_surface_panel};
    bitmap_controls_ = {bitmap_panel};
}

void MorphologyDialog::execute()
{
    fill_controls();
    show_modal(*this);
}

void MorphologyDialog::fill_controls()
{
    const QRect bitmap_area = bitmap_panel->geometry();
    setFixedSize(bitmap_area.x() + bitmap_area.width() + 32, bitmap_area.y() + bitmap_area.height() + 32);

    if (morphology.flat_surface == 1) {
        flat_surface_radio->setChecked(true);
        on_flat_surface_clicked();
        left_top_box->setText(QString::number(morphology.edge_heights[0]));
        right_top_box->setText(QString::number(morphology.edge_heights[1]));
        left_bottom_box->setText(QString::number(morphology.edge_heights[2]));
        right_bottom_box->setText(QString::number(morphology.edge_heights[3]));
        bitmap_file_box->clear();
        for (QRadioButton* button : {red_radio, green_radio, blue_radio}) uncheck(button);
        for (QLineEdit* box : {min_color_box, max_color_box, min_color_height_box, max_color_height_box}) box->clear();
        clip_check->setChecked(false);
        clip_height_box->clear();
        enable_clip_height(false);
        return;
    }

    bitmap_radio->setChecked(true);
    on_bitmap_clicked();
    const Morphology shown = morphology; // the boxes below write into the record as they fill
    bitmap_file_box->setText(QString::fromLocal8Bit(shown.bitmap_file));
    QRadioButton* channel = nullptr;
    if (shown.main_color >= 1 && shown.main_color <= 3) {
        const int at = 2 * (shown.main_color - 1);
        color_limits[at] = shown.min_color_value;
        color_limits[at + 1] = shown.max_color_value;
        channel = shown.main_color == 1 ? red_radio : shown.main_color == 2 ? green_radio : blue_radio;
    }
    for (QRadioButton* button : {red_radio, green_radio, blue_radio}) {
        if (button == channel) button->setChecked(true);
        else uncheck(button);
    }
    min_color_box->setText(QString::number(shown.min_color_value));
    max_color_box->setText(QString::number(shown.max_color_value));
    min_color_height_box->setText(QString::number(shown.min_color_height));
    max_color_height_box->setText(QString::number(shown.max_color_height));
    const bool clipped = shown.clip_enabled == 1;
    clip_check->setChecked(clipped);
    if (clipped) clip_height_box->setText(QString::number(shown.clip_height));
    else clip_height_box->clear();
    enable_clip_height(clipped);
    for (QLineEdit* box : {left_top_box, right_top_box, left_bottom_box, right_bottom_box}) box->clear();
    morphology = shown;
}

void MorphologyDialog::on_flat_surface_clicked()
{
    morphology.flat_surface = 1;
    for (QWidget* w : bitmap_controls_) w->setEnabled(false);
    for (QWidget* w : flat_controls_) w->setEnabled(true);
}

void MorphologyDialog::on_bitmap_clicked()
{
    morphology.flat_surface = 0;
    for (QWidget* w : flat_controls_) w->setEnabled(false);
    for (QWidget* w : bitmap_controls_) w->setEnabled(true);
}

void MorphologyDialog::calculate_edge()
{
    right_bottom_box->setText(
        QString::number(fourth_corner(left_top_box->text(), right_top_box->text(), left_bottom_box->text())));
}

QLineEdit* MorphologyDialog::corner_box(int corner) const
{
    switch (corner) {
    case 1: return left_top_box;
    case 2: return right_top_box;
    case 3: return left_bottom_box;
    default: return right_bottom_box;
    }
}

void MorphologyDialog::assign_level(CornerNode* sender, bool double_click)
{
    if (!double_click || !sender) return;
    const std::optional<int> level = integer_value(corner_box(sender->tag)->text());
    if (!level) return;
    const QString text = QString::number(*level);
    for (QLineEdit* box : {left_top_box, right_top_box, left_bottom_box, right_bottom_box}) box->setText(text);
}

void MorphologyDialog::on_bitmap_file_edited()
{
    morphology.bitmap_file = bitmap_file_box->text().left(Morphology::max_path_bytes).toLocal8Bit();
}

void MorphologyDialog::choose_color(int color)
{
    const int at = 2 * (color - 1);
    min_color_box->setText(QString::number(color_limits[at]));
    max_color_box->setText(QString::number(color_limits[at + 1]));
    morphology.main_color = color;
}

void MorphologyDialog::on_red_clicked() { choose_color(1); }
void MorphologyDialog::on_green_clicked() { choose_color(2); }
void MorphologyDialog::on_blue_clicked() { choose_color(3); }

void MorphologyDialog::on_min_color_edited() { morphology.min_color_value = integer_or_zero(min_color_box->text()); }
void MorphologyDialog::on_max_color_edited() { morphology.max_color_value = integer_or_zero(max_color_box->text()); }
void MorphologyDialog::take_min_color_height()
{
    morphology.min_color_height = integer_or_zero(min_color_height_box->text());
}
void MorphologyDialog::take_max_color_height()
{
    morphology.max_color_height = integer_or_zero(max_color_height_box->text());
}
void MorphologyDialog::take_clip_height() { morphology.clip_height = integer_or_zero(clip_height_box->text()); }

void MorphologyDialog::enable_clip_height(bool enabled)
{
    clip_height_box->setEnabled(enabled);
    paint_box(clip_height_box, enabled);
}

void MorphologyDialog::on_clip_clicked()
{
    const bool checked = clip_check->isChecked();
    morphology.clip_enabled = checked ? 1 : 0;
    enable_clip_height(checked);
}

void MorphologyDialog::find_bitmap()
{
    bitmap_file_dialog.start_folder = drawing_folder ? drawing_folder() : QString();
    if (!bitmap_file_dialog.execute()) return;
    const QString path = bitmap_file_dialog.file_name;
    if (!QFileInfo(path).isFile()) {
        message_box(tr("File does not exist."), MessageKind::Error, MessageButtons::Ok);
        return;
    }
    // Only a regular file is read: a FIFO would wait for a writer for ever.
    const platform::FileContents file
        = platform::read_regular_file(path, platform::largest_image_file(max_object_pixels));
    if (!file.error.isEmpty()) throw DioramixError(file.error);
    QString unused;
    const QImage image = platform::decode_image(file.bytes, QByteArray(), max_object_pixels, unused);
    if (image.isNull() || image.width() < 1 || image.height() < 1) {
        message_box(tr("Not a valid bitmap."), MessageKind::Error, MessageButtons::Ok);
        return;
    }
    bitmap_file_box->setText(path);
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
                throw CornerOutOfRange(
                    corner_out_of_range_message(corner, Configuration.min_height, Configuration.max_height));
        }
    } catch (const CornerOutOfRange& error) {
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

void MorphologyDialog::on_ok_clicked()
{
    if (morphology.flat_surface == 1) {
        store_corners();
        return;
    }
    // What was typed is taken even when the box still has the focus (Enter
    // pressed on the default button).
    take_min_color_height();
    take_max_color_height();
    if (clip_check->isChecked()) take_clip_height();
    morphology.clip_enabled = clip_check->isChecked() ? 1 : 0;

    QString problem;
    if (bitmap_file_box->text().isEmpty()) problem = tr("No bitmap file defined.");
    else if (!red_radio->isChecked() && !green_radio->isChecked() && !blue_radio->isChecked())
        problem = tr("Select main color.");
    else if (morphology.min_color_value > morphology.max_color_value)
        problem = color_range_message();
    else if (min_color_height_box->text().isEmpty() || max_color_height_box->text().isEmpty())
        problem = tr("Define heights for min and max color values.");
    else if (clip_check->isChecked() && clip_height_box->text().isEmpty()) problem = tr("Define clip height.");
    if (!problem.isEmpty()) {
        message_box(problem, MessageKind::Error, MessageButtons::Ok);
        return;
    }
    confirmed = 1;
    accept();
}

void MorphologyDialog::on_cancel_clicked()
{
    reject();
}

void MorphologyDialog::reject()
{
    confirmed = 0;
    QDialog::reject();
}

#pragma once
// "Object Properties": shows, read-only, one object's name, size, corner
// coordinates with their heights, or its morphology bitmap settings.
#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Shape;

QString size_text(int width, int height);
QString corner_text(int x, int y, int z);
QString range_text(int low, int high);

class PropertiesDialog : public QDialog {
    Q_OBJECT
public:
    explicit PropertiesDialog(QWidget* parent = nullptr);

    QLabel* name_caption_label;
    QLabel* name_label;
    QLabel* dimensions_caption_label;
    QLabel* dimensions_label;
    QGroupBox* corners_group;
    QLabel* left_top_caption_label; // "left-top:" .. "right-bottom:"
    QLabel* right_top_caption_label;
    QLabel* left_bottom_caption_label;
    QLabel* right_bottom_caption_label;
    QLabel* left_top_label;
    QLabel* right_top_label;
    QLabel* left_bottom_label;
    QLabel* right_bottom_label;
    QGroupBox* bitmap_group;
    QLineEdit* bitmap_file_box;
    QLabel* main_color_label;
    QLabel* color_limits_label;
    QLabel* limit_heights_label;
    QLabel* clip_height_label;
    QPushButton* ok_button;

    // Fills the dialog from the object, then shows it modally.
    void execute(const Shape& shape);
    void fill_controls(const Shape& shape);

private:
    void layout_flat();
    void layout_bitmap();
};

extern PropertiesDialog* properties_dialog;

#pragma once
// "Set Height Morphology": edits a copy of one object's morphology, either a
// flat surface fixed by four corner heights or a channel of a morphology
// bitmap mapped onto a height range. The caller copies the object's record
// into `morphology`, shows the dialog and reads `confirmed`.
#include "core/morphology.h"
#include "dialogs/morphology_scan.h"
#include "platform/errors.h"
#include "platform/file_dialog.h"
#include <QDialog>
#include <QFrame>
#include <cstdint>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// A corner height outside the configured limits.
class CornerOutOfRange : public DioramixError {
    using DioramixError::DioramixError;
};

// One of the four corner squares of the diagram; `tag` 1..4 names its corner.
class CornerNode : public QFrame {
    Q_OBJECT
public:
    CornerNode(QWidget* parent, int tag);
    int tag;

signals:
    void pressed(CornerNode* node, bool double_click);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// Corner 4 of a plane through corners 1, 2 and 3 (top left, top right,
// bottom left), as the edit boxes hold them.
long long fourth_corner(const QString& corner1, const QString& corner2, const QString& corner3);

QString invalid_corner_message(int corner);
QString corner_out_of_range_message(int corner, int min_height, int max_height);
// A bitmap channel whose smallest value lies above its largest gives no
// heights: mapped as it stands it would turn the relief inside out.
QString color_range_message();

class MorphologyDialog : public QDialog {
    Q_OBJECT
public:
    explicit MorphologyDialog(QWidget* parent = nullptr);

    Morphology morphology;     // the dialog record
    std::uint8_t confirmed = 0; // 1 after an OK whose checks passed
    ChannelRanges color_limits{}; // from the last bitmap scan, kept between showings

    QRadioButton* flat_surface_radio;
    QFrame* flat_surface_panel;
    QFrame* diagram_frame;
    CornerNode* left_top_node;
    CornerNode* right_top_node;
    CornerNode* left_bottom_node;
    CornerNode* right_bottom_node;
    // The corner heights, points 1 to 4; the last is computed from the others.
    QLineEdit* left_top_box;
    QLineEdit* right_top_box;
    QLineEdit* left_bottom_box;
    QLineEdit* right_bottom_box;
    QLabel* unit_label;
    QRadioButton* bitmap_radio;
    QFrame* bitmap_panel;
    QLabel* bitmap_prompt_label;
    QLineEdit* bitmap_file_box;
    QPushButton* find_button;
    QRadioButton* red_radio;
    QRadioButton* green_radio;
    QRadioButton* blue_radio;
    QLineEdit* min_color_box;
    QLineEdit* max_color_box;
    QLineEdit* min_color_height_box;
    QLineEdit* max_color_height_box;
    QCheckBox* clip_check;
    QLineEdit* clip_height_box;
    QPushButton* ok_button;
    QPushButton* cancel_button;
    FileDialog bitmap_file_dialog{FileDialog::Kind::OpenPicture};
    // The folder of the drawing being edited, where "Find..." starts; empty
    // (or unset) for a drawing never saved, which starts where the last
    // bitmap was found.
    std::function<QString()> drawing_folder;

    // Fills the controls from `morphology`, then shows the dialog modally.
    void execute();

    void fill_controls();
    void on_flat_surface_clicked();
    void on_bitmap_clicked();
    void calculate_edge();
    void assign_level(CornerNode* sender, bool double_click);
    void on_bitmap_file_edited();
    void on_red_clicked();
    void on_green_clicked();
    void on_blue_clicked();
    void on_min_color_edited();
    void on_max_color_edited();
    void take_min_color_height();
    void take_max_color_height();
    void take_clip_height();
    void on_clip_clicked();
    void find_bitmap();
    void on_ok_clicked();
    void on_cancel_clicked();

    // Closing by the title bar counts as Cancel.
    void reject() override;

private:
    void choose_color(int color);
    void enable_clip_height(bool enabled);
    void store_corners();
    QLineEdit* corner_box(int corner) const;

    QList<QWidget*> flat_controls_;
    QList<QWidget*> bitmap_controls_;
};

extern MorphologyDialog* morphology_dialog;

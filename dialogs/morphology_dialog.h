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
class ERangeExceed : public DioramixError {
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

    QRadioButton* RadioButton1;
    QFrame* Panel1;
    QFrame* Shape1;
    CornerNode* Shape2;
    CornerNode* Shape3;
    CornerNode* Shape4;
    CornerNode* Shape5;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLabel* Label5;
    QRadioButton* RadioButton2;
    QFrame* Panel2;
    QLabel* Label6;
    QLineEdit* Edit5;
    QPushButton* Button3;
    QRadioButton* rbRed;
    QRadioButton* rbGreen;
    QRadioButton* rbBlue;
    QLineEdit* Edit6;
    QLineEdit* Edit7;
    QLineEdit* Edit8;
    QLineEdit* Edit9;
    QCheckBox* CheckBox1;
    QLineEdit* Edit10;
    QPushButton* Button1;
    QPushButton* Button2;
    FileDialog OpenPictureDialog1{FileDialog::Kind::OpenPicture};
    // The folder of the drawing being edited, where "Find..." starts; empty
    // (or unset) for a drawing never saved, which starts where the last
    // bitmap was found.
    std::function<QString()> drawing_folder;

    // Fills the controls from `morphology`, then shows the dialog modally.
    void ShowModal();

    void FormShow();
    void RadioButton1Click();
    void RadioButton2Click();
    void calculate_edge();
    void assign_level(CornerNode* sender, bool double_click);
    void Edit5Change();
    void rbRedClick();
    void rbGreenClick();
    void rbBlueClick();
    void Edit6Change();
    void Edit7Change();
    void Edit8Exit();
    void Edit9Exit();
    void Edit10Exit();
    void CheckBox1Click();
    void Button3Click();
    void Button1Click();
    void Button2Click();

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

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

    QLabel* Label1;
    QLabel* Label4;
    QLabel* Label3;
    QLabel* Label6;
    QGroupBox* GroupBox1;
    QLabel* Label7; // "left-top:" .. "right-bottom:"
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label11;
    QLabel* Label12;
    QLabel* Label13;
    QLabel* Label14;
    QGroupBox* GroupBox2;
    QLineEdit* Edit1;
    QLabel* Label15;
    QLabel* Label17;
    QLabel* Label19;
    QLabel* Label21;
    QPushButton* Button1;

    // Fills the dialog from the object, then shows it modally.
    void ShowModal(const Shape& shape);
    void FormShow(const Shape& shape);

private:
    void layout_flat();
    void layout_bitmap();
};

extern PropertiesDialog* properties_dialog;

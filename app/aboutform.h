#pragma once
// The About box: the program's pictures, its authors, version and date.
#include <QDialog>

class QLabel;
class QPushButton;

class TForm12 : public QDialog {
    Q_OBJECT
public:
    TForm12();

    QLabel* Image1; // the program's icon
    QLabel* Image2; // the logo
    QPushButton* Button1;
};

extern TForm12* Form12;

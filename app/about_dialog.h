#pragma once
// The About box: the program's pictures, its authors, version and date.
#include <QDialog>

class QLabel;
class QPushButton;

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog();

    QLabel* Image1; // the program's icon
    QLabel* Image2; // the logo
    QPushButton* Button1;
};

extern AboutDialog* about_dialog;

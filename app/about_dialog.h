#pragma once
// The About box: the program's pictures, its authors, version and date.
#include <QDialog>

class QLabel;
class QPushButton;

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog();

    QLabel* icon_label; // the program's icon
    QLabel* logo_label;
    QPushButton* ok_button;
};

extern AboutDialog* about_dialog;

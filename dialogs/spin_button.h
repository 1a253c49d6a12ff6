#pragma once
// An up/down button pair beside an edit box, each arrow a button of its own.
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

class SpinButton : public QWidget {
public:
    explicit SpinButton(QWidget* parent = nullptr)
        : QWidget(parent)
        , up(new QToolButton(this))
        , down(new QToolButton(this))
    {
        up->setArrowType(Qt::UpArrow);
        down->setArrowType(Qt::DownArrow);
        for (QToolButton* button : {up, down}) button->setFixedSize(16, 11);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(up);
        layout->addWidget(down);
    }

    QToolButton* up;
    QToolButton* down;
};

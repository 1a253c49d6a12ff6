#include "app/about_dialog.h"
#include "app/command_icons.h"
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>

AboutDialog* about_dialog = nullptr;

namespace {

// The logo: the program's name over a band of the random dots a
// stereogram is made of, on a transparent ground.
QPixmap logo_picture()
{
    QPixmap picture(177, 65);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    quint32 seed = 7;
    for (int y = 44; y < 62; y += 3)
        for (int x = 2; x < 175; x += 3) {
            seed = seed * 1103515245u + 12345u;
            painter.fillRect(x, y, 2, 2, QColor::fromHsv(static_cast<int>((seed >> 16) % 360), 150, 220));
        }
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(34);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 128));
    painter.drawText(QRect(0, 0, 177, 44), Qt::AlignCenter, QStringLiteral("Dioramix"));
    return picture;
}

QLabel* bold_label(const QString& text, int x, int y, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->move(x, y);
    label->adjustSize();
    return label;
}

} // namespace

AboutDialog::AboutDialog()
{
    setObjectName(QStringLiteral("about_dialog"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    Image2 = new QLabel(this);
    Image2->setGeometry(8, 16, 177, 65);
    Image2->setPixmap(logo_picture());
    Image1 = new QLabel(this);
    Image1->setGeometry(198, 32, 32, 32);
    Image1->setPixmap(program_icon().pixmap(32, 32));

    bold_label(QStringLiteral("Created by:"), 8, 96, this);
    bold_label(QStringLiteral("The Dioramix developers"), 80, 96, this);
    bold_label(QStringLiteral("version:"), 8, 116, this);
    bold_label(QStringLiteral("1.0"), 80, 116, this);
    bold_label(QStringLiteral("date:"), 8, 136, this);
    bold_label(QStringLiteral("11/9/2000"), 80, 136, this);

    Button1 = new QPushButton(QStringLiteral("Ok"), this);
    Button1->setGeometry(166, 164, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(Button1->geometry().right() + 1 + 24, Button1->geometry().bottom() + 1 + 24);
}

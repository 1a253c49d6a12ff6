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
    setWindowTitle(tr("About"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    logo_label = new QLabel(this);
    logo_label->setGeometry(8, 16, 177, 65);
    logo_label->setPixmap(logo_picture());
    icon_label = new QLabel(this);
    icon_label->setGeometry(198, 32, 32, 32);
    icon_label->setPixmap(program_icon().pixmap(32, 32));

    bold_label(tr("Created by:"), 8, 96, this);
    bold_label(tr("The Dioramix developers"), 80, 96, this);
    bold_label(tr("version:"), 8, 116, this);
    bold_label(QStringLiteral("1.0"), 80, 116, this);
    bold_label(tr("date:"), 8, 136, this);
    bold_label(tr("11/9/2000"), 80, 136, this);

    ok_button = new QPushButton(tr("Ok"), this);
    ok_button->setGeometry(166, 164, 75, 25);
    ok_button->setDefault(true);
    connect(ok_button, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(ok_button->geometry().right() + 1 + 24, ok_button->geometry().bottom() + 1 + 24);
}

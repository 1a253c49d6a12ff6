#include "core/shorten_caption.h"
#include <QTest>

class TestShortenCaption : public QObject {
    Q_OBJECT
private slots:
    void captions_fit_forty_characters()
    {
        QCOMPARE(shorten_caption(QStringLiteral("C:\\Drawings\\house.sdf"), 40, 0),
                 QStringLiteral("&0 C:\\Drawings\\house.sdf"));
        QCOMPARE(shorten_caption(QStringLiteral("C:\\Documents\\Projects\\Depth scenes\\first scene.sdf"), 40, 1),
                 QStringLiteral("&1 C:\\Documents\\...\\first scene.sdf"));
        QCOMPARE(shorten_caption(QStringLiteral("C:\\Drawings\\a very long file name for a scene drawing.sdf"), 40, 2),
                 QStringLiteral("&2 ...g file name for a scene drawing.sdf"));
        QCOMPARE(shorten_caption(QStringLiteral("/home/ann/Documents/Projects/Depth scenes/first scene.sdf"), 40, 3),
                 QStringLiteral("&3 /home/ann/.../first scene.sdf"));
        // A name without any folder, longer than the room.
        QCOMPARE(shorten_caption(QString(50, QLatin1Char('x')), 40, 4), QStringLiteral("&4 ...") + QString(35, QLatin1Char('x')));
        QCOMPARE(shorten_caption(QStringLiteral("Stereogram11"), 40, 9), QStringLiteral("&9 Stereogram11"));
    }
};

QTEST_GUILESS_MAIN(TestShortenCaption)
#include "test_shorten_caption.moc"

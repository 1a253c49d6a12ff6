#include "core/drawing_numbers.h"
#include <QTest>

class TestDrawingNumbers : public QObject {
    Q_OBJECT
private slots:
    void lowest_number_not_in_use()
    {
        QCOMPARE(lowest_free_drawing_number({}), 1);
        QCOMPARE(lowest_free_drawing_number({"Stereogram1", "Stereogram3"}), 2);
        QCOMPARE(lowest_free_drawing_number({"Stereogram2", "Stereogram1", "Stereogram3"}), 4);
        QCOMPARE(lowest_free_drawing_number({"Stereogram2"}), 1);

        // A saved drawing is named by its path and frees its number.
        QCOMPARE(lowest_free_drawing_number({"Stereogram1", "/home/me/Stereogram2.sdf"}), 2);
        QCOMPARE(lowest_free_drawing_number({"Stereogram2.sdf"}), 1);
        QCOMPARE(lowest_free_drawing_number({"stereogram1"}), 1);

        // Only 1 to 255 are numbers of drawings; other entries free nothing
        // and take nothing.
        const QStringList not_numbers = {"Stereogram0", "StereogramX", "Stereogram", "Stereogram-1", "Stereogram256"};
        QCOMPARE(lowest_free_drawing_number(not_numbers), 1);
        QCOMPARE(lowest_free_drawing_number({"Stereogram1", "Stereogram0", "StereogramX"}), 2);

        // Every "Stereogram" in the entry is removed before reading it.
        QCOMPARE(lowest_free_drawing_number({"StereogramStereogram1"}), 2);
    }

    void none_when_all_are_used()
    {
        QStringList names;
        for (int n = 1; n <= 255; ++n) names << QStringLiteral("Stereogram%1").arg(n);
        QCOMPARE(lowest_free_drawing_number(names), std::nullopt);

        names.removeAt(199); // Stereogram200
        QCOMPARE(lowest_free_drawing_number(names), 200);
        names << "Stereogram200" << "Stereogram256" << "/tmp/a.sdf";
        QCOMPARE(lowest_free_drawing_number(names), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestDrawingNumbers)
#include "test_drawing_numbers.moc"

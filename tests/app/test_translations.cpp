// The program speaks the locale's language where it has a translation for
// it, and English, the language of its sources, everywhere else.
#include "app/application.h"
#include "dialogs/morphology_dialog.h"
#include <QCoreApplication>
#include <QTest>

namespace {

QString invalid_point_text()
{
    return QCoreApplication::translate("MorphologyDialog", "Invalid value of point %1").arg(2);
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    void english_without_a_translation_and_greek_with_one()
    {
        QCOMPARE(invalid_point_text(), QStringLiteral("Invalid value of point 2"));
        QVERIFY(!install_translators(*QCoreApplication::instance(), QLocale(QLocale::English, QLocale::UnitedStates)));
        QCOMPARE(invalid_point_text(), QStringLiteral("Invalid value of point 2"));

        QVERIFY(install_translators(*QCoreApplication::instance(), QLocale(QLocale::Greek, QLocale::Greece)));
        QCOMPARE(invalid_point_text(), QStringLiteral("Μη επιτρεπτή τιμή του σημείου 2"));
        QCOMPARE(corner_out_of_range_message(3, -10, 200),
                 QStringLiteral("Τιμή σημείου 3 εκτός ορίων.\nΕπιτρεπτές τιμές από -10 ως 200."));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "test_translations.moc"

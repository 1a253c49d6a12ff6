#include "core/naming.h"
#include "platform/errors.h"
#include <QTest>

namespace {
// The text of the NameError that checking `name` raises, empty when none.
QString name_error(const QString& name, const QStringList& others)
{
    try {
        check_object_name(name, others);
    } catch (const NameError& e) {
        return e.text();
    }
    return {};
}
} // namespace

class TestNaming : public QObject {
    Q_OBJECT
private slots:
    void identifiers()
    {
        for (const char* name : {"a", "_", "shape1", "_x9", "Z_z", "ALL_CAPS_2"})
            QVERIFY2(is_valid_identifier(QString::fromLatin1(name)), name);
        for (const char* name : {"", "1a", "9", "a b", "a-b", "shape.1", " a", "a ", "na\xC3\xAFve"})
            QVERIFY2(!is_valid_identifier(QString::fromUtf8(name)), name);
    }

    void new_objects_count_on_from_the_largest_number()
    {
        QCOMPARE(next_shape_name({}), QStringLiteral("shape1"));
        QCOMPARE(next_shape_name({"shape1", "shape7"}), QStringLiteral("shape8"));
        QCOMPARE(next_shape_name({"shape7", "shape1"}), QStringLiteral("shape8"));
        QCOMPARE(next_shape_name({"shape12"}), QStringLiteral("shape13"));
        QCOMPARE(next_shape_name({"shape9", "shape10"}), QStringLiteral("shape11")); // numbers, not text order
        QCOMPARE(next_shape_name({"shape007"}), QStringLiteral("shape8"));

        // Names that are not "shape" and a number count as 0.
        QCOMPARE(next_shape_name({"house", "shapeX", "shape", "Shape5", "my_shape5"}), QStringLiteral("shape1"));
        QCOMPARE(next_shape_name({"house", "shape3"}), QStringLiteral("shape4"));

        // Every "shape" is removed, wherever it stands.
        QCOMPARE(next_shape_name({"shapeshape4"}), QStringLiteral("shape5"));
        QCOMPARE(next_shape_name({"shape5shape"}), QStringLiteral("shape6"));
        QCOMPARE(next_shape_name({"shapes3", "reshape"}), QStringLiteral("shape1"));
    }

    void decimal_text()
    {
        QCOMPARE(decimal_or_zero("42"), 42);
        QCOMPARE(decimal_or_zero("-3"), -3);
        QCOMPARE(decimal_or_zero("0"), 0);
        QCOMPARE(decimal_or_zero(""), 0);
        QCOMPARE(decimal_or_zero("x"), 0);
        QCOMPARE(decimal_or_zero("12a"), 0);
        QCOMPARE(decimal_or_zero("0x10"), 0);
        QCOMPARE(decimal_or_zero("1.5"), 0);
    }

    void broken_names_are_refused_with_the_program_text()
    {
        const QStringList others = {"shape1", "shape2"};
        QCOMPARE(name_error("shape3", others), QString());
        QCOMPARE(name_error("_tree", others), QString());
        QCOMPARE(name_error("3d", others), QStringLiteral("''3d'' is not a valid component name"));
        QCOMPARE(name_error("my shape", others), QStringLiteral("''my shape'' is not a valid component name"));
        QCOMPARE(name_error("", others), QStringLiteral("'''' is not a valid component name"));
        QCOMPARE(name_error("shape2", others), QStringLiteral("A component named shape2 already exists"));
        // An invalid name is reported as such even when it is also taken.
        QCOMPARE(name_error("1x", {"1x"}), QStringLiteral("''1x'' is not a valid component name"));

        // The error is one the general error handler catches.
        QVERIFY_THROWS_EXCEPTION(DioramixError, check_object_name("shape1", others));
    }
};

QTEST_GUILESS_MAIN(TestNaming)
#include "test_naming.moc"

// The configuration dialog's arithmetic and texts, and the recolouring of
// two colours at once.
#include "core/raster.h"
#include "dialogs/configuration_recolor.h"
#include "dialogs/configuration_values.h"
#include "platform/errors.h"
#include <QTest>

class TestSettingsValues : public QObject {
    Q_OBJECT
private slots:
    void standard_monitors_and_the_focus_cone()
    {
        const int expected[5][2] = {{254, 190}, {270, 203}, {304, 228}, {338, 254}, {372, 279}};
        const double diagonals[5] = {12.5, 40.0 / 3, 15, 50.0 / 3, 55.0 / 3};
        for (int type = 0; type < 5; ++type) {
            QCOMPARE(standard_monitor_size(type).width, expected[type][0]);
            QCOMPARE(standard_monitor_size(type).height, expected[type][1]);
            QVERIFY(std::abs(diagonals[type] * 20.32 - expected[type][0]) < 1);
        }
        QCOMPARE(standard_monitor_size(-1).width, 0);
        QCOMPARE(standard_monitor_size(5).height, 0);

        const std::optional<double> largest = largest_focus_angle(40, 1000);
        QVERIFY(largest && std::abs(*largest - 1.14576) < 1e-4);
        QVERIFY(focus_angle_allowed(0.1, largest));
        QVERIFY(focus_angle_allowed(1.1, largest));
        QVERIFY(!focus_angle_allowed(1.2, largest));
        QVERIFY(!focus_angle_allowed(0, largest));
        QVERIFY(!focus_angle_allowed(-1, largest));
        // No level distance, no cone: no angle is accepted.
        QVERIFY(!largest_focus_angle(40, 0));
        QVERIFY(!focus_angle_allowed(0.1, largest_focus_angle(40, 0)));
        QVERIFY(!focus_angle_allowed(0.1, largest_focus_angle(40, -1000)));
    }

    void number_boxes_read_and_show_numbers()
    {
        QCOMPARE(shortest_decimal(0.1 + 0.1), QStringLiteral("0.2"));
        QCOMPARE(shortest_decimal(1.1 + 0.1), QStringLiteral("1.2"));
        QCOMPARE(shortest_decimal(0.7 + 0.1), QStringLiteral("0.8"));
        QCOMPARE(shortest_decimal(80), QStringLiteral("80"));
        QCOMPARE(text_to_real(QStringLiteral(" 0.5 ")), 0.5);
        try {
            text_to_real(QStringLiteral("abc"));
            QFAIL("no conversion error");
        } catch (const DioramixError& e) {
            QCOMPARE(e.text(), QStringLiteral("'abc' is not a valid floating point value"));
        }
        QVERIFY_THROWS_EXCEPTION(DioramixError, text_to_real(QStringLiteral("inf")));
        QCOMPARE(integer_box_value(QString(), 40), 0);
        QCOMPARE(integer_box_value(QStringLiteral("4x"), 40), 40);
        QCOMPARE(integer_box_value(QStringLiteral("-95"), 0), -95);
        QCOMPARE(integer_box_value(QStringLiteral("3000000000"), 7), 7);
        QCOMPARE(height_array_estimate(80, -95), QStringLiteral("0.35Kbytes"));
        QCOMPARE(height_array_estimate(INT32_MAX, INT32_MIN), QStringLiteral("8589934.59Kbytes"));
    }

    void printer_page_texts_and_preview()
    {
        QCOMPARE(page_length_text(4961, 600, true), QStringLiteral("210 mm"));
        QCOMPARE(page_length_text(7016, 600, true), QStringLiteral("297 mm"));
        QCOMPARE(page_length_text(4961, 600, false), QStringLiteral("4961 pixels"));
        QCOMPARE(page_length_text(4961, 0, true), QStringLiteral("0 mm"));

        // Portrait A4 in a 160-pixel square: scaled by its height, centred across.
        const std::optional<PagePreview> a4 = page_preview(QRect(10, 20, 160, 160), 4961, 7016, 4800, 6814);
        QVERIFY(a4);
        QCOMPARE(a4->page, QRect(33, 20, 113, 160));
        QCOMPARE(a4->printable, QRect(35, 22, 109, 155));
        const std::optional<PagePreview> landscape = page_preview(QRect(0, 0, 160, 160), 7016, 4961, 7016, 4961);
        QCOMPARE(landscape->page, QRect(0, 23, 160, 113));
        QVERIFY(!page_preview(QRect(0, 0, 160, 160), 0, 0, 0, 0));
    }

    void two_colours_trade_places_without_merging()
    {
        // Background 1, object 2, edge black; the new colours swap the two.
        const StoredColor a = 0x102030, b = 0x405060;
        QImage image = make_buffer(3, 1, a);
        image.setPixelColor(1, 0, to_qcolor(b));
        image.setPixelColor(2, 0, Qt::black);
        replace_two_colors(image, a, b, b, a);
        QCOMPARE(pixel_color(image, 0, 0), b);
        QCOMPARE(pixel_color(image, 1, 0), a);
        QCOMPARE(pixel_color(image, 2, 0), color_black);
        QImage empty;
        replace_two_colors(empty, a, b, b, a); // nothing to do, nothing touched
        QVERIFY(empty.isNull());
    }
};

QTEST_GUILESS_MAIN(TestSettingsValues)
#include "test_configuration_values.moc"

// The panel dimensions arithmetic: resolutions, texts, reading typed sizes
// and the conversions between pixels and millimetres.
#include "dialogs/panel_units.h"
#include <QTest>
#include <cmath>
#include <limits>

class TestNewpanelUnits : public QObject {
    Q_OBJECT
private slots:
    void whole_parts_truncate_and_stay_in_range()
    {
        QCOMPARE(whole_part(2.99), 2);
        QCOMPARE(whole_part(-2.99), -2);
        QCOMPARE(whole_part(std::nan("")), 0);
        QCOMPARE(whole_part(std::numeric_limits<double>::infinity()), std::numeric_limits<std::int32_t>::max());
        QCOMPARE(whole_part(-1e300), std::numeric_limits<std::int32_t>::min());
        // A size shown with no resolution is 0, not a division by zero.
        QCOMPARE(shown_dimension(4800, 0.0), 0);
        QCOMPARE(panel_dimensions_for(100, 100, {0, 0}).width_mm, 0);
    }

    void screen_resolution_and_its_texts()
    {
        const Resolution r = screen_resolution(1024, 768, 270, 203, 96, 96);
        QVERIFY(std::abs(r.x - 96.331) < 0.001);
        QVERIFY(std::abs(r.y - 96.094) < 0.001);
        QCOMPARE(resolution_text(r, false), QStringLiteral("96x96 dpi"));
        QCOMPARE(resolution_text(r, true), QStringLiteral("3.79x3.78 dpmm"));
        QCOMPARE(resolution_text({600, 300}, false), QStringLiteral("600x300 dpi"));
        // A monitor size that is not positive falls back to the logical resolution per axis.
        const Resolution fallback = screen_resolution(1024, 768, 0, -5, 120, 96);
        QCOMPARE(fallback.x, 120.0);
        QCOMPARE(fallback.y, 96.0);
    }

    void typed_dimensions_are_read_with_or_without_their_unit()
    {
        QCOMPARE(read_dimension(QStringLiteral("12 mm"), QStringLiteral("mm")), std::optional<std::int32_t>(12));
        QCOMPARE(read_dimension(QStringLiteral("12mm"), QStringLiteral("mm")), std::optional<std::int32_t>(12));
        QCOMPARE(read_dimension(QStringLiteral("  12  "), QStringLiteral("mm")), std::optional<std::int32_t>(12));
        QCOMPARE(read_dimension(QStringLiteral("-7 pixels"), QStringLiteral("pixels")), std::optional<std::int32_t>(-7));
        QCOMPARE(read_dimension(QStringLiteral("12 MM"), QStringLiteral("mm")), std::nullopt);
        QCOMPARE(read_dimension(QStringLiteral("12 mm"), QStringLiteral("pixels")), std::nullopt);
        QCOMPARE(read_dimension(QString(), QStringLiteral("mm")), std::nullopt);
        QCOMPARE(read_dimension(QStringLiteral("99999999999 mm"), QStringLiteral("mm")), std::nullopt);
    }

    void millimetres_and_pixels_convert_both_ways()
    {
        const double per_mm = unit_factor(600, true);
        QCOMPARE(unit_factor(600, false), 1.0);
        QCOMPARE(working_dimension(100, per_mm), 2362);
        QCOMPARE(panel_dimensions_for(2362, 2362, {600, 600}).width_mm, 99);
        // A printable width of 4800 pixels shows as 203 mm, which reads back as 4795 pixels.
        QCOMPARE(shown_dimension(4800, per_mm), 203);
        QCOMPARE(working_dimension(203, per_mm), 4795);
        const PanelDimensionsRecord d = panel_dimensions_for(1024, 768, screen_resolution(1024, 768, 270, 203, 96, 96));
        QCOMPARE(d.width_px, 1024);
        QCOMPARE(d.height_px, 768);
        QCOMPARE(d.width_mm, 270);
        QCOMPARE(d.height_mm, 203);
    }
};

QTEST_GUILESS_MAIN(TestNewpanelUnits)
#include "test_panel_units.moc"

// The height morphology dialog driven through its controls, and Set
// Morphology on a real object.
#include "core/configuration.h"
#include "core/shape.h"
#include "dialogs/morphology_dialog.h"
#include "document/drawing_window.h"
#include "support/program.h"
#include "support/settings_guard.h"
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

Morphology flat(std::array<std::int32_t, 4> heights)
{
    Morphology m;
    reset_morphology(m);
    m.edge_heights = heights;
    return m;
}

Morphology bitmap(int clip_enabled, int clip_height)
{
    Morphology m;
    reset_morphology(m);
    m.flat_surface = 0;
    m.bitmap_file = "/tmp/relief.bmp";
    m.main_color = 2;
    m.min_color_value = 10;
    m.max_color_value = 200;
    m.min_color_height = -5;
    m.max_color_height = 30;
    m.clip_enabled = static_cast<std::uint8_t>(clip_enabled);
    m.clip_height = clip_height;
    return m;
}

} // namespace

class TestSetEdges : public QObject {
    Q_OBJECT
private slots:
    void corner_four_follows_and_double_click_levels_all_corners()
    {
        ScriptedUi ui;
        MorphologyDialog form;
        form.morphology = flat({1, 2, 3, 99});
        form.fill_controls();
        QVERIFY(form.flat_surface_radio->isChecked());
        QCOMPARE(form.right_bottom_box->text(), QStringLiteral("99")); // a stored fourth corner shows as stored
        QVERIFY(!form.right_bottom_box->isEnabled());
        QVERIFY(!form.bitmap_panel->isEnabled());

        form.left_top_box->setText(QStringLiteral("10"));
        form.right_top_box->setText(QStringLiteral("20"));
        form.left_bottom_box->setText(QStringLiteral("30"));
        QCOMPARE(form.right_bottom_box->text(), QStringLiteral("40"));
        form.left_top_box->clear();
        QCOMPARE(form.right_bottom_box->text(), QStringLiteral("50"));

        form.right_top_box->setText(QStringLiteral("7"));
        form.assign_level(form.right_top_node, false);
        QCOMPARE(form.left_top_box->text(), QString());
        form.assign_level(form.right_top_node, true);
        for (QLineEdit* box : {form.left_top_box, form.right_top_box, form.left_bottom_box, form.right_bottom_box}) QCOMPARE(box->text(), QStringLiteral("7"));

        form.left_bottom_box->setText(QStringLiteral("abc"));
        form.assign_level(form.left_bottom_node, true);
        QCOMPARE(form.left_top_box->text(), QStringLiteral("7"));
        QVERIFY(ui.messages.isEmpty());
    }

    void ok_in_flat_mode_checks_every_corner_in_order()
    {
        ScriptedUi ui;
        const SettingsGuard settings;
        Configuration.min_height = -100;
        Configuration.max_height = 100;
        MorphologyDialog form;
        form.morphology = flat({0, 0, 0, 0});
        form.fill_controls();
        form.show();

        form.left_top_box->setText(QStringLiteral("1"));
        form.right_top_box->clear();
        form.left_bottom_box->setText(QStringLiteral("5"));
        form.ok_button->click();
        QCOMPARE(ui.message_texts(), QStringList{QStringLiteral("Invalid value of point 2")});
        QCOMPARE(ui.messages.last().kind, MessageKind::Error);
        QCOMPARE(form.right_top_box->text(), QStringLiteral("0"));
        QCOMPARE(form.focusWidget(), form.right_top_box);
        QCOMPARE(form.right_bottom_box->text(), QStringLiteral("4"));
        QCOMPARE(form.confirmed, 0);

        form.left_top_box->setText(QStringLiteral("150"));
        form.ok_button->click();
        QCOMPARE(ui.message_texts().last(),
                 QStringLiteral("Value of point 1 out of range.\nAllowed values from -100 to 100."));
        QCOMPARE(form.left_top_box->text(), QStringLiteral("0"));
        QCOMPARE(form.focusWidget(), form.left_top_box);

        // Corner 4 is computed: out of range, it is named but no box changes.
        form.left_top_box->setText(QStringLiteral("-100"));
        form.right_top_box->setText(QStringLiteral("100"));
        form.left_bottom_box->setText(QStringLiteral("100"));
        form.ok_button->click();
        QCOMPARE(ui.message_texts().last(),
                 QStringLiteral("Value of point 4 out of range.\nAllowed values from -100 to 100."));
        QCOMPARE(form.right_bottom_box->text(), QStringLiteral("300"));
        QCOMPARE(form.confirmed, 0);

        const qsizetype shown = ui.messages.size();
        form.left_top_box->setText(QStringLiteral("100"));
        form.right_top_box->setText(QStringLiteral("-100"));
        form.left_bottom_box->setText(QStringLiteral("100"));
        form.ok_button->click();
        QCOMPARE(ui.messages.size(), shown);
        QCOMPARE(form.confirmed, 1);
        QCOMPARE(form.morphology.edge_heights, (std::array<std::int32_t, 4>{100, -100, 100, -100}));

        form.cancel_button->click();
        QCOMPARE(form.confirmed, 0);
    }

    void scan_counts_black_and_pure_shades_apart_from_the_background()
    {
        QImage image(6, 3, QImage::Format_RGB888);
        image.fill(Qt::white);
        for (int x = 0; x < 5; ++x) image.setPixelColor(x, 0, QColor(40 + 40 * x, 0, 0)); // red 40..200
        image.setPixelColor(0, 1, Qt::black);
        image.setPixelColor(1, 1, QColor(128, 128, 128)); // grey: ignored
        image.setPixelColor(2, 1, QColor(255, 255, 0));   // yellow: ignored
        image.setPixelColor(3, 1, QColor(255, 0, 255));
        QCOMPARE(scan_channel_ranges(image), (ChannelRanges{0, 200, 0, 0, 0, 0}));

        // Pure green is counted; the background (bottom-right) colour is not.
        image.setPixelColor(4, 2, QColor(0, 0, 90));
        image.setPixelColor(5, 2, QColor(0, 0, 90));
        image.setPixelColor(5, 0, QColor(0, 60, 0));
        QCOMPARE(scan_channel_ranges(image), (ChannelRanges{0, 200, 0, 60, 0, 0}));

        QImage mixed(2, 2, QImage::Format_RGB888);
        mixed.fill(QColor(10, 20, 30));
        mixed.setPixelColor(0, 0, QColor(255, 255, 0));
        QCOMPARE(scan_channel_ranges(mixed), (ChannelRanges{256, 0, 256, 0, 256, 0}));
    }

    void a_grey_bitmap_scans_to_its_grey_range_and_ok_refuses_an_empty_range()
    {
        // No pure shade: the grey pixels count, black among them, each
        // channel taking the grey value; white (the background) does not.
        QImage relief(4, 2, QImage::Format_RGB888);
        relief.fill(Qt::white);
        relief.setPixelColor(0, 0, QColor(0, 0, 0));
        relief.setPixelColor(1, 0, QColor(30, 30, 30));
        relief.setPixelColor(2, 0, QColor(220, 220, 220));
        relief.setPixelColor(3, 0, QColor(250, 10, 90)); // mixed: ignored
        QCOMPARE(scan_channel_ranges(relief), (ChannelRanges{0, 220, 0, 220, 0, 220}));

        ScriptedUi ui;
        MorphologyDialog form;
        form.morphology = flat({0, 0, 0, 0});
        form.fill_controls();
        form.bitmap_radio->click();
        ui.file_answers.enqueue(QStringLiteral(EXAMPLES_DIR "/dome.bmp"));
        form.find_button->click();
        form.green_radio->click();
        QVERIFY(form.min_color_box->text().toInt() < form.max_color_box->text().toInt());
        QCOMPARE(form.max_color_box->text(), QStringLiteral("255"));

        // A channel that counted nothing keeps 256 above 0: OK says so.
        form.color_limits[0] = 256;
        form.color_limits[1] = 0;
        form.red_radio->click();
        form.min_color_height_box->setText(QStringLiteral("10"));
        form.max_color_height_box->setText(QStringLiteral("70"));
        form.ok_button->click();
        QCOMPARE(ui.message_texts(), QStringList{color_range_message()});
        QCOMPARE(form.confirmed, 0);
        form.green_radio->click();
        form.ok_button->click();
        QCOMPARE(form.confirmed, 1);
    }

    void find_reads_a_bitmap_and_refuses_missing_or_broken_files()
    {
        ScriptedUi ui;
        QTemporaryDir dir;
        QImage image(4, 2, QImage::Format_RGB888);
        image.fill(Qt::white);
        image.setPixelColor(0, 0, QColor(0, 0, 77));
        image.setPixelColor(1, 0, QColor(0, 0, 210));
        const QString good = dir.filePath(QStringLiteral("relief.bmp"));
        QVERIFY(image.save(good, "BMP"));
        const QString broken = dir.filePath(QStringLiteral("broken.bmp"));
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("BM this is no bitmap");
        file.close();

        MorphologyDialog form;
        form.morphology = bitmap(0, 0);
        form.fill_controls();
        ui.file_answers.enqueue(good);
        form.find_button->click();
        QCOMPARE(ui.file_dialog_titles.last(), QStringLiteral("Select Bitmap File"));
        QCOMPARE(form.bitmap_file_box->text(), good);
        QCOMPARE(form.morphology.bitmap_file, good.toLocal8Bit());
        QCOMPARE(form.min_color_box->text(), QStringLiteral("10")); // refreshed only by a colour button
        form.blue_radio->click();
        QCOMPARE(form.min_color_box->text(), QStringLiteral("77"));
        QCOMPARE(form.max_color_box->text(), QStringLiteral("210"));
        QCOMPARE(form.morphology.main_color, 3);
        QCOMPARE(form.morphology.min_color_value, 77);
        QCOMPARE(form.morphology.max_color_value, 210);

        ui.file_answers.enqueue(dir.filePath(QStringLiteral("missing.bmp")));
        form.find_button->click();
        ui.file_answers.enqueue(broken);
        form.find_button->click();
        QCOMPARE(ui.message_texts(), (QStringList{QStringLiteral("File does not exist."), QStringLiteral("Not a valid bitmap.")}));
        QCOMPARE(form.bitmap_file_box->text(), good);
        QCOMPARE(form.morphology.bitmap_file, good.toLocal8Bit());
        QCOMPARE(form.color_limits, (ChannelRanges{0, 0, 0, 0, 77, 210}));
    }

    void ok_in_bitmap_mode_names_the_first_missing_value()
    {
        ScriptedUi ui;
        MorphologyDialog form;
        form.morphology = flat({0, 0, 0, 0});
        form.fill_controls();
        form.bitmap_radio->click();
        QVERIFY(form.bitmap_panel->isEnabled());
        QVERIFY(!form.flat_surface_panel->isEnabled());
        QCOMPARE(form.morphology.flat_surface, 0);

        form.ok_button->click();
        form.bitmap_file_box->setText(QStringLiteral("/tmp/relief.bmp"));
        form.min_color_height_box->setText(QStringLiteral("5"));
        form.max_color_height_box->setText(QStringLiteral("9"));
        form.ok_button->click();
        form.green_radio->click();
        form.max_color_height_box->clear();
        form.ok_button->click();
        form.max_color_height_box->setText(QStringLiteral("x9"));
        form.clip_check->click();
        QVERIFY(form.clip_height_box->isEnabled());
        form.ok_button->click();
        QCOMPARE(ui.message_texts(),
                 (QStringList{QStringLiteral("No bitmap file defined."), QStringLiteral("Select main color."),
                              QStringLiteral("Define heights for min and max color values."),
                              QStringLiteral("Define clip height.")}));
        QCOMPARE(form.confirmed, 0);

        form.clip_height_box->setText(QStringLiteral("-3"));
        form.ok_button->click();
        QCOMPARE(form.confirmed, 1);
        QCOMPARE(form.morphology.main_color, 2);
        QCOMPARE(form.morphology.min_color_height, 5);
        QCOMPARE(form.morphology.max_color_height, 0); // unparsable counts as 0
        QCOMPARE(form.morphology.clip_enabled, 1);
        QCOMPARE(form.morphology.clip_height, -3);
    }

    void showing_a_bitmap_object_restores_its_fields()
    {
        ScriptedUi ui;
        MorphologyDialog form;
        form.morphology = bitmap(1, 12);
        form.fill_controls();
        QVERIFY(form.bitmap_radio->isChecked());
        QVERIFY(form.green_radio->isChecked());
        QVERIFY(form.clip_check->isChecked());
        QCOMPARE(form.clip_height_box->text(), QStringLiteral("12"));
        QCOMPARE(form.color_limits[2], 10);
        QCOMPARE(form.color_limits[3], 200);

        Morphology shown = bitmap(0, 12);
        shown.main_color = 1;
        form.morphology = shown;
        form.fill_controls();
        QVERIFY(!form.clip_check->isChecked());
        QVERIFY(form.clip_height_box->text().isEmpty());
        QVERIFY(!form.clip_height_box->isEnabled());
        QVERIFY(form.red_radio->isChecked());
        QVERIFY(!form.green_radio->isChecked());
        QCOMPARE(form.min_color_height_box->text(), QStringLiteral("-5"));
        QVERIFY(form.left_top_box->text().isEmpty() && form.right_bottom_box->text().isEmpty());
        QCOMPARE(form.morphology, shown);

        form.morphology = flat({4, 5, 6, 7});
        form.fill_controls();
        for (QRadioButton* button : {form.red_radio, form.green_radio, form.blue_radio}) QVERIFY(!button->isChecked());
        QVERIFY(form.bitmap_file_box->text().isEmpty() && form.min_color_height_box->text().isEmpty());
    }

    void set_morphology_records_an_undoable_change_only_when_confirmed_and_changed()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_rectangle(drawing, QRect(20, 20, 40, 30));
        program.click(drawing, QPoint(30, 30));
        QCOMPARE(drawing->current_shape, shape);
        const Morphology before = shape->morphology;
        auto answer = [](const QString& corner1, bool ok) {
            return [corner1, ok](QDialog& dialog) {
                auto& form = static_cast<MorphologyDialog&>(dialog);
                form.left_top_box->setText(corner1);
                (ok ? form.ok_button : form.cancel_button)->click();
                return form.result();
            };
        };
        drawing->modified = 0;

        program.ui.modal_answers.enqueue(answer(QStringLiteral("12"), false));
        drawing->morphology_action->trigger();
        QCOMPARE(shape->morphology, before);
        QVERIFY(drawing->history.undo_list.empty());

        program.ui.modal_answers.enqueue(answer(QString::number(before.edge_heights[0]), true));
        drawing->morphology_action->trigger();
        QVERIFY(drawing->history.undo_list.empty());
        QCOMPARE(drawing->modified, 0);

        program.ui.modal_answers.enqueue(answer(QStringLiteral("12"), true));
        drawing->morphology_action->trigger();
        QCOMPARE(shape->morphology.edge_heights[0], 12);
        QCOMPARE(shape->morphology.edge_heights[3], -12);
        QCOMPARE(drawing->history.undo_list.size(), size_t(1));
        QCOMPARE(drawing->history.undo_list.front()->caption, QStringLiteral("Object Morphology"));
        QCOMPARE(drawing->modified, 1);

        drawing->history.undo();
        QCOMPARE(drawing->shapes.size(), 1);
        QCOMPARE(drawing->shapes.first(), shape); // the same object, not a rebuilt one
        QCOMPARE(shape->morphology, before);
    }
};

QTEST_MAIN(TestSetEdges)
#include "test_morphology_dialog.moc"

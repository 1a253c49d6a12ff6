// The panel dimensions dialog inside the program: New asks for the panel,
// Cancel creates nothing, and the dialog's sources, units and typed values
// end in the panel dimensions of the new drawing.
#include "core/configuration.h"
#include "core/panel_dimensions.h"
#include "dialogs/panel_dimensions_dialog.h"
#include "document/drawing_window.h"
#include "support/program.h"
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>

namespace {

void choose(QComboBox* box, int index)
{
    box->setCurrentIndex(index);
    emit box->activated(index);
}

// Types into a box and leaves it, as a person would.
void enter(PanelDimensionsDialog& form, QLineEdit* box, const QString& text)
{
    box->setText(text);
    box->setModified(true);
    form.take_dimension(box);
}

bool same(const PanelDimensionsRecord& a, const PanelDimensionsRecord& b)
{
    return a.width_mm == b.width_mm && a.height_mm == b.height_mm && a.width_px == b.width_px
        && a.height_px == b.height_px;
}

} // namespace

class TestNewpanel : public QObject {
    Q_OBJECT
    QTemporaryDir folder_;
    int case_ = 0;

private slots:
    void init()
    {
        // Each case starts from an empty registry, so settings never leak between runs.
        qputenv("DIORAMIX_REGISTRY", QFile::encodeName(folder_.filePath(QStringLiteral("r%1.reg").arg(++case_))));
    }

    void new_creates_a_drawing_only_when_confirmed()
    {
        Program program;
        MainWindow& main = *program.main;
        const PanelDimensionsRecord before = PanelDimensions;
        program.ui.modal_answers.enqueue([](QDialog& dialog) {
            static_cast<PanelDimensionsDialog&>(dialog).cancel_button->click();
            return dialog.result();
        });
        main.new_action->trigger();
        program.ui.modal_answers.enqueue([](QDialog&) { return int(QDialog::Rejected); }); // the close box
        main.new_action->trigger();
        QVERIFY(main.drawings().isEmpty());
        QVERIFY(main.drawing_names().isEmpty());
        QVERIFY(same(PanelDimensions, before));
        QCOMPARE(panel_dimensions_dialog->cancelled, std::uint8_t(1));

        program.ui.modal_answers.enqueue(Program::panel_answer(640, 480));
        main.new_action->trigger();
        QCOMPARE(panel_dimensions_dialog->cancelled, std::uint8_t(0));
        QCOMPARE(main.drawing_names(), QStringList{QStringLiteral("Stereogram1")});
        DrawingWindow* drawing = main.active_drawing();
        QVERIFY(drawing && drawing->panel);
        QCOMPARE(drawing->panel->size(), QSize(640, 480));
        QCOMPARE(drawing->panel->width_mm, 168); // 640 / 96.33 dpi
        QCOMPARE(drawing->panel->height_mm, 126);
    }

    void resolutions_sources_and_units()
    {
        Program program;
        Configuration.monitor_width = 270;
        Configuration.monitor_height = 203;
        PanelDimensionsDialog& form = *panel_dimensions_dialog;
        form.reset_controls();
        QVERIFY(form.screen_resolution_radio->isChecked());
        QCOMPARE(form.dimensions_source_combo->currentText(), QStringLiteral("current form"));
        QCOMPARE(form.resolution_box->text(), QStringLiteral("96x96 dpi"));
        QVERIFY(form.resolution_box->isReadOnly() && form.width_box->isReadOnly());
        choose(form.resolution_units_combo, 1);
        QCOMPARE(form.resolution_box->text(), QStringLiteral("3.79x3.78 dpmm"));

        choose(form.dimensions_source_combo, 1); // screen
        choose(form.dimension_units_combo, 1); // pixels
        QCOMPARE(form.width_box->text(), QStringLiteral("1024 pixels"));
        QCOMPARE(form.height_box->text(), QStringLiteral("768 pixels"));
        choose(form.dimension_units_combo, 0);
        QCOMPARE(form.width_box->text(), QStringLiteral("270 mm"));
        form.ok_button->click();
        QCOMPARE(form.cancelled, std::uint8_t(0));
        QVERIFY(same(PanelDimensions, {270, 203, 1024, 768}));

        // The printer's resolution and page: a read-only box that is left
        // recomputes its pixels from the whole millimetres it shows.
        form.reset_controls();
        form.printer_resolution_radio->setChecked(true);
        form.printer_resolution_radio->click();
        QCOMPARE(form.resolution_box->text(), QStringLiteral("600x600 dpi"));
        choose(form.dimensions_source_combo, 2);
        QCOMPARE(form.width_box->text(), QStringLiteral("203 mm"));
        QCOMPARE(form.height_box->text(), QStringLiteral("288 mm"));
        form.take_dimension(form.width_box);
        QCOMPARE(form.working_width, 4795);

        // Typed in millimetres at 600 dpi.
        choose(form.dimensions_source_combo, 3);
        QVERIFY(!form.width_box->isReadOnly());
        enter(form, form.width_box, QStringLiteral("100"));
        QCOMPARE(form.working_width, 2362);
        QCOMPARE(form.width_box->text(), QStringLiteral("100 mm"));
        form.ok_button->click();
        QCOMPARE(PanelDimensions.width_mm, 99);
        QCOMPARE(PanelDimensions.width_px, 2362);
        QCOMPARE(PanelDimensions.height_px, 6814);
        QVERIFY(program.ui.messages.isEmpty());
    }

    void bad_and_unusable_sizes_are_refused()
    {
        Program program;
        PanelDimensionsDialog& form = *panel_dimensions_dialog;
        form.reset_controls();
        choose(form.dimensions_source_combo, 3);
        enter(form, form.width_box, QStringLiteral("12 MM"));
        QCOMPARE(program.ui.message_texts(), QStringList{QStringLiteral("Invalid Value")});
        QCOMPARE(form.width_box->text(), QStringLiteral("0 mm"));
        QCOMPARE(form.working_width, 0);

        // A panel needs a positive size that a window can hold: Ok says so and stays.
        const PanelDimensionsRecord before = PanelDimensions;
        program.ui.messages.clear();
        form.cancelled = 1;
        form.setResult(QDialog::Rejected);
        form.ok_button->click();
        QCOMPARE(program.ui.message_texts(), QStringList{"Width and height must be at least 1 pixel."});
        QCOMPARE(program.ui.messages[0].kind, MessageKind::Error);
        QCOMPARE(form.cancelled, std::uint8_t(1));
        QCOMPARE(form.result(), int(QDialog::Rejected));
        choose(form.dimension_units_combo, 1);
        enter(form, form.width_box, QStringLiteral("40000"));
        enter(form, form.height_box, QStringLiteral("300"));
        form.ok_button->click();
        QCOMPARE(program.ui.messages.size(), 2);
        QVERIFY(same(PanelDimensions, before));

        // Without any printer its resolution and page cannot be chosen.
        program.ui.printers.installed.clear();
        form.reset_controls();
        QVERIFY(!form.printer_resolution_radio->isEnabled());
        const auto* items = qobject_cast<const QStandardItemModel*>(form.dimensions_source_combo->model());
        QVERIFY(!items->item(2)->isEnabled() && items->item(1)->isEnabled());
        program.ui.printers.installed.append({QStringLiteral("Back"), {300, 300, 100, 100, 100, 100, 0, 0}});
        form.reset_controls();
        QVERIFY(form.printer_resolution_radio->isEnabled() && items->item(2)->isEnabled());
    }

    void typed_values_count_when_the_box_is_left_or_enter_is_pressed()
    {
        Program program;
        program.ui.modal_answers.enqueue([](QDialog& dialog) {
            auto& form = static_cast<PanelDimensionsDialog&>(dialog);
            dialog.show();
            if (!wait_until_active(&dialog)) return int(QDialog::Rejected);
            choose(form.dimensions_source_combo, 3);
            choose(form.dimension_units_combo, 1);
            form.width_box->setFocus();
            form.width_box->selectAll();
            QTest::keyClicks(form.width_box, QStringLiteral("320"));
            form.height_box->setFocus(); // leaves the width box
            form.height_box->selectAll();
            QTest::keyClicks(form.height_box, QStringLiteral("200"));
            QTest::keyClick(form.height_box, Qt::Key_Return); // the default button, still in the box
            return dialog.result();
        });
        program.main->new_action->trigger();
        QCOMPARE(panel_dimensions_dialog->width_box->text(), QStringLiteral("320 pixels"));
        QCOMPARE(panel_dimensions_dialog->cancelled, std::uint8_t(0));
        QCOMPARE(PanelDimensions.width_px, 320);
        QCOMPARE(PanelDimensions.height_px, 200);
        QCOMPARE(program.main->drawings().size(), 1);
    }
};

QTEST_MAIN(TestNewpanel)
#include "test_panel_dimensions_dialog.moc"

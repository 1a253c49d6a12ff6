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
    form.EditExit(box);
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
            static_cast<PanelDimensionsDialog&>(dialog).Button2->click();
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
        form.FormShow();
        QVERIFY(form.RadioButton1->isChecked());
        QCOMPARE(form.ComboBox2->currentText(), QStringLiteral("current form"));
        QCOMPARE(form.Edit1->text(), QStringLiteral("96x96 dpi"));
        QVERIFY(form.Edit1->isReadOnly() && form.Edit2->isReadOnly());
        choose(form.ComboBox1, 1);
        QCOMPARE(form.Edit1->text(), QStringLiteral("3.79x3.78 dpmm"));

        choose(form.ComboBox2, 1); // screen
        choose(form.ComboBox3, 1); // pixels
        QCOMPARE(form.Edit2->text(), QStringLiteral("1024 pixels"));
        QCOMPARE(form.Edit3->text(), QStringLiteral("768 pixels"));
        choose(form.ComboBox3, 0);
        QCOMPARE(form.Edit2->text(), QStringLiteral("270 mm"));
        form.Button1->click();
        QCOMPARE(form.cancelled, std::uint8_t(0));
        QVERIFY(same(PanelDimensions, {270, 203, 1024, 768}));

        // The printer's resolution and page: a read-only box that is left
        // recomputes its pixels from the whole millimetres it shows.
        form.FormShow();
        form.RadioButton2->setChecked(true);
        form.RadioButton2->click();
        QCOMPARE(form.Edit1->text(), QStringLiteral("600x600 dpi"));
        choose(form.ComboBox2, 2);
        QCOMPARE(form.Edit2->text(), QStringLiteral("203 mm"));
        QCOMPARE(form.Edit3->text(), QStringLiteral("288 mm"));
        form.EditExit(form.Edit2);
        QCOMPARE(form.working_width, 4795);

        // Typed in millimetres at 600 dpi.
        choose(form.ComboBox2, 3);
        QVERIFY(!form.Edit2->isReadOnly());
        enter(form, form.Edit2, QStringLiteral("100"));
        QCOMPARE(form.working_width, 2362);
        QCOMPARE(form.Edit2->text(), QStringLiteral("100 mm"));
        form.Button1->click();
        QCOMPARE(PanelDimensions.width_mm, 99);
        QCOMPARE(PanelDimensions.width_px, 2362);
        QCOMPARE(PanelDimensions.height_px, 6814);
        QVERIFY(program.ui.messages.isEmpty());
    }

    void bad_and_unusable_sizes_are_refused()
    {
        Program program;
        PanelDimensionsDialog& form = *panel_dimensions_dialog;
        form.FormShow();
        choose(form.ComboBox2, 3);
        enter(form, form.Edit2, QStringLiteral("12 MM"));
        QCOMPARE(program.ui.message_texts(), QStringList{QStringLiteral("Invalid Value")});
        QCOMPARE(form.Edit2->text(), QStringLiteral("0 mm"));
        QCOMPARE(form.working_width, 0);

        // A panel needs a positive size that a window can hold: Ok says so and stays.
        const PanelDimensionsRecord before = PanelDimensions;
        program.ui.messages.clear();
        form.cancelled = 1;
        form.setResult(QDialog::Rejected);
        form.Button1->click();
        QCOMPARE(program.ui.message_texts(), QStringList{"Width and height must be at least 1 pixel."});
        QCOMPARE(program.ui.messages[0].kind, MessageKind::Error);
        QCOMPARE(form.cancelled, std::uint8_t(1));
        QCOMPARE(form.result(), int(QDialog::Rejected));
        choose(form.ComboBox3, 1);
        enter(form, form.Edit2, QStringLiteral("40000"));
        enter(form, form.Edit3, QStringLiteral("300"));
        form.Button1->click();
        QCOMPARE(program.ui.messages.size(), 2);
        QVERIFY(same(PanelDimensions, before));

        // Without any printer its resolution and page cannot be chosen.
        program.ui.printers.installed.clear();
        form.FormShow();
        QVERIFY(!form.RadioButton2->isEnabled());
        const auto* items = qobject_cast<const QStandardItemModel*>(form.ComboBox2->model());
        QVERIFY(!items->item(2)->isEnabled() && items->item(1)->isEnabled());
        program.ui.printers.installed.append({QStringLiteral("Back"), {300, 300, 100, 100, 100, 100, 0, 0}});
        form.FormShow();
        QVERIFY(form.RadioButton2->isEnabled() && items->item(2)->isEnabled());
    }

    void typed_values_count_when_the_box_is_left_or_enter_is_pressed()
    {
        Program program;
        program.ui.modal_answers.enqueue([](QDialog& dialog) {
            auto& form = static_cast<PanelDimensionsDialog&>(dialog);
            dialog.show();
            if (!wait_until_active(&dialog)) return int(QDialog::Rejected);
            choose(form.ComboBox2, 3);
            choose(form.ComboBox3, 1);
            form.Edit2->setFocus();
            form.Edit2->selectAll();
            QTest::keyClicks(form.Edit2, QStringLiteral("320"));
            form.Edit3->setFocus(); // leaves the width box
            form.Edit3->selectAll();
            QTest::keyClicks(form.Edit3, QStringLiteral("200"));
            QTest::keyClick(form.Edit3, Qt::Key_Return); // the default button, still in the box
            return dialog.result();
        });
        program.main->new_action->trigger();
        QCOMPARE(panel_dimensions_dialog->Edit2->text(), QStringLiteral("320 pixels"));
        QCOMPARE(panel_dimensions_dialog->cancelled, std::uint8_t(0));
        QCOMPARE(PanelDimensions.width_px, 320);
        QCOMPARE(PanelDimensions.height_px, 200);
        QCOMPARE(program.main->drawings().size(), 1);
    }
};

QTEST_MAIN(TestNewpanel)
#include "test_panel_dimensions_dialog.moc"

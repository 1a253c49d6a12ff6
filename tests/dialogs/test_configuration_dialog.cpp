// The configuration dialog inside the program: every accepted change is in
// the Configuration record and the registry at once; the height limits
// follow the focus cone; colours recolour the active drawing only.
#include "core/configuration.h"
#include "core/raster.h"
#include "core/shape.h"
#include "dialogs/panel_dimensions_dialog.h"
#include "dialogs/configuration_dialog.h"
#include "dialogs/spin_button.h"
#include "document/drawing_window.h"
#include "platform/registry.h"
#include "support/program.h"
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

std::int32_t stored(const char* name)
{
    RegistryKey key(QString::fromLatin1(configuration_key_path), false);
    return key.read_dword(QLatin1String(name));
}

double stored_angle()
{
    RegistryKey key(QString::fromLatin1(configuration_key_path), false);
    return key.read_double(QStringLiteral("focus_angle"));
}

// Types a new angle and leaves the box.
void enter_angle(ConfigurationDialog& form, const QString& text)
{
    form.focus_angle_box->setText(text);
    form.focus_angle_box->setModified(true);
    form.apply_angle();
}

// Configure, as the menu runs it, with `act` done while the dialog is up.
void configure(Program& program, std::function<void(ConfigurationDialog&)> act)
{
    program.ui.modal_answers.enqueue([act](QDialog& dialog) {
        act(static_cast<ConfigurationDialog&>(dialog));
        return int(QDialog::Rejected);
    });
    program.main->configuration_action->trigger();
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
    QTemporaryDir folder_;
    int case_ = 0;

private slots:
    void init()
    {
        qputenv("DIORAMIX_REGISTRY", QFile::encodeName(folder_.filePath(QStringLiteral("r%1.reg").arg(++case_))));
    }

    void focus_cone_sets_the_height_limits()
    {
        Program program;
        configure(program, [&](ConfigurationDialog& form) {
            QVERIFY(form.focus_cone_radio->isChecked());
            QVERIFY(form.focus_angle_box->isEnabled() && !form.max_height_box->isEnabled());
            QCOMPARE(form.focus_angle_box->text(), QStringLiteral("0.1"));
            QCOMPARE(form.max_height_box->text(), QStringLiteral("80"));
            QCOMPARE(form.min_height_box->text(), QStringLiteral("-95"));
            QCOMPARE(form.memory_estimate_label->text(), QStringLiteral("0.35Kbytes"));

            enter_angle(form, QStringLiteral("0.5"));
            QCOMPARE(Configuration.max_height, 303);
            QCOMPARE(Configuration.min_height, -774);
            QCOMPARE(stored("max_height"), 303);
            QCOMPARE(stored("min_height"), -774);
            QCOMPARE(stored_angle(), 0.5);
            enter_angle(form, QStringLiteral("1.0"));
            QCOMPARE(form.focus_angle_box->text(), QStringLiteral("1"));
            QCOMPARE(form.max_height_box->text(), QStringLiteral("466"));
            QCOMPARE(form.min_height_box->text(), QStringLiteral("-6861"));

            // Outside (0, 1.1457...): the previous angle comes back.
            for (const char* text : {"1.2", "0", "-1"}) {
                enter_angle(form, QLatin1String(text));
                QCOMPARE(form.focus_angle_box->text(), QStringLiteral("1"));
                QCOMPARE(Configuration.focus_angle, 1.0);
            }
            // No number at all: the conversion error, nothing stored.
            form.focus_angle_box->setText(QStringLiteral("abc"));
            emit form.focus_angle_spin->up->clicked();
            QCOMPARE(program.ui.message_texts(), QStringList{"'abc' is not a valid floating point value"});
            QCOMPARE(form.focus_angle_box->text(), QStringLiteral("1"));
            QCOMPARE(stored_angle(), 1.0);

            form.focus_angle_box->setText(QStringLiteral("0.1"));
            emit form.focus_angle_spin->up->clicked();
            QCOMPARE(form.focus_angle_box->text(), QStringLiteral("0.2"));
            QCOMPARE(Configuration.focus_angle, 0.2);
            enter_angle(form, QStringLiteral("1.1"));
            emit form.focus_angle_spin->up->clicked();
            QCOMPARE(form.focus_angle_box->text(), QStringLiteral("1.1"));
            emit form.focus_angle_spin->down->clicked();
            QCOMPARE(form.focus_angle_box->text(), QStringLiteral("1"));

            // Distances change the limits in cone mode.
            form.eye_distance_box->setText(QStringLiteral("60"));
            QCOMPARE(Configuration.max_height, height_limits(60, 1000, tangent_of_degrees(1.0)).max_height);

            // Without a level distance no angle exists: the old one stays.
            form.level_distance_box->setText(QStringLiteral("0"));
            enter_angle(form, QStringLiteral("0.3"));
            QCOMPARE(Configuration.focus_angle, 1.0);
            form.optic_defaults_button->click();
            QCOMPARE(Configuration.eye_distance, 40);
            QCOMPARE(Configuration.level_distance, 1000);
            QCOMPARE(stored("heightarray_limit"), 100);
            form.focusing_defaults_button->click();
            QCOMPARE(form.focus_angle_box->text(), QStringLiteral("0.1"));
            QCOMPARE(Configuration.max_height, 80);
        });
        QCOMPARE(stored("min_height"), -95);
    }

    void manual_limits_survive_reopening_and_new_distances()
    {
        Program program;
        configure(program, [](ConfigurationDialog& form) {
            // An angle typed and never confirmed is taken when the dialog closes.
            form.focus_angle_box->setText(QStringLiteral("0.4"));
            form.focus_angle_box->setModified(true);
        });
        QCOMPARE(Configuration.focus_angle, 0.4);
        QCOMPARE(stored("max_height"), height_limits(40, 1000, tangent_of_degrees(0.4)).max_height);
        configure(program, [](ConfigurationDialog& form) {
            form.manual_limits_radio->click();
            QVERIFY(form.max_height_box->isEnabled() && !form.focus_angle_box->isEnabled());
            form.max_height_box->setText(QStringLiteral("500"));
            form.min_height_box->setText(QString());
            QCOMPARE(form.min_height_box->text(), QStringLiteral("0"));
            form.min_height_box->setText(QStringLiteral("-"));  // on its way to a negative number
            form.min_height_box->setText(QStringLiteral("-600"));
            form.eye_distance_box->setText(QStringLiteral("65"));
            form.level_distance_box->setText(QStringLiteral("800"));
            QCOMPARE(form.memory_estimate_label->text(), QStringLiteral("2.2Kbytes"));
        });
        QCOMPARE(Configuration.setfocuscone_flag, std::uint8_t(0));
        configure(program, [](ConfigurationDialog& form) {
            QVERIFY(form.manual_limits_radio->isChecked());
            QCOMPARE(form.max_height_box->text(), QStringLiteral("500"));
            QCOMPARE(form.min_height_box->text(), QStringLiteral("-600"));
        });
        QCOMPARE(stored("max_height"), 500);
        QCOMPARE(stored("min_height"), -600);
        QCOMPARE(stored("eye_distance"), 65);
        QCOMPARE(stored("setfocuscone_flag"), 0);
    }

    void monitor_general_and_optic_settings()
    {
        Program program;
        program.ui.screen = {1024, 768, 96, 96};
        configure(program, [](ConfigurationDialog& form) {
            QVERIFY(form.custom_monitor_radio->isChecked());
            QVERIFY(!form.monitor_type_combo->isEnabled() && form.monitor_width_box->isEnabled());
            form.standard_monitor_radio->click();
            QVERIFY(form.monitor_type_combo->isEnabled() && !form.monitor_width_box->isEnabled());
            QCOMPARE(Configuration.monitor_width, 254);
            form.monitor_type_combo->setCurrentIndex(3);
            emit form.monitor_type_combo->activated(3);
            QCOMPARE(stored("monitor_type"), 3);
            QCOMPARE(stored("monitor_width"), 338);
            QCOMPARE(stored("monitor_height"), 254);
            QCOMPARE(stored("standardmonitor_flag"), 1);
            form.computer_settings_button->click();
            QVERIFY(form.custom_monitor_radio->isChecked());
            QCOMPARE(stored("monitor_width"), 270);
            QCOMPARE(stored("monitor_height"), 203);
            QCOMPARE(stored("standardmonitor_flag"), 0);
            form.monitor_height_box->setValue(150);
            QCOMPARE(stored("monitor_height"), 150);

            form.eye_distance_box->setText(QString());
            QCOMPARE(form.eye_distance_box->text(), QStringLiteral("0"));
            QCOMPARE(stored("eye_distance"), 0);
            form.eye_distance_box->setText(QStringLiteral("40"));
            form.eye_distance_box->setText(QStringLiteral("4x"));
            QCOMPARE(form.eye_distance_box->text(), QStringLiteral("40"));
            QCOMPARE(Configuration.eye_distance, 40);

            form.no_height_array_check->click();
            QCOMPARE(stored("donotusearray_flag"), 1);
            form.file_history_box->setValue(12); // the spin edit's limit is 9
            QCOMPARE(stored("filehistory"), 9);
            form.undo_depth_box->setValue(7);
            form.render_color_range_box->setText(QStringLiteral("12x"));
            QCOMPARE(form.render_color_range_box->text(), QStringLiteral("12x"));
            QCOMPARE(stored("rendercolor_range"), 0);
            form.render_color_base_box->setText(QStringLiteral("-3"));
            QCOMPARE(Configuration.undohistory, 7);
            QCOMPARE(stored("rendercolor_base"), -3);
            form.general_defaults_button->click();
        });
        QCOMPARE(stored("filehistory"), 4);
        QCOMPARE(stored("undohistory"), 4);
        QCOMPARE(stored("rendercolor_range"), 10000);
        QCOMPARE(stored("rendercolor_base"), 0);
        QCOMPARE(Configuration.monitor_height, 150);
        QVERIFY(program.ui.messages.isEmpty());
    }

    void colours_recolour_the_active_drawing_only()
    {
        Program program;
        const StoredColor navy = Configuration.background_color, yellow = Configuration.object_color;
        DrawingWindow* first = program.new_drawing();
        Shape* kept = program.draw_ellipse(first, QRect(10, 10, 40, 30));
        const QColor first_window = first->palette().color(QPalette::Window);
        DrawingWindow* second = program.new_drawing();
        Shape* shape = program.draw_ellipse(second, QRect(10, 10, 40, 30));
        QVERIFY(kept && shape && program.main->active_drawing() == second);
        const StoredColor red = 0x0000FF, green = 0x00FF00;

        program.ui.color_answers << red << std::nullopt << green << 0x0000FF;
        configure(program, [&](ConfigurationDialog& form) {
            form.background_color_button->click(); // background red
            form.background_color_button->click(); // cancelled
            form.object_color_button->click(); // objects green
            form.object_color_button->click(); // the background colour: refused
            QCOMPARE(form.background_sample->palette().color(QPalette::Window), QColor(Qt::red));
        });
        QCOMPARE(program.ui.messages.size(), 1);
        QCOMPARE(Configuration.background_color, red);
        QCOMPARE(Configuration.object_color, green);
        QCOMPARE(stored("background_color"), red);
        QCOMPARE(stored("object_color"), green);
        QCOMPARE(pixel_color(shape->buffer, 0, 0), red);           // outside the ellipse
        QCOMPARE(pixel_color(shape->buffer, 20, 15), green);       // its body
        QCOMPARE(pixel_color(shape->buffer, 0, 15), color_black);      // its edge
        // The drawing behind keeps its pixels and its colour.
        QCOMPARE(pixel_color(kept->buffer, 20, 15), yellow);
        QCOMPARE(pixel_color(kept->buffer, 0, 0), navy);
        QCOMPARE(first->palette().color(QPalette::Window), first_window);
        QCOMPARE(second->palette().color(QPalette::Window), QColor(Qt::red));
        QCOMPARE(second->panel->font_color, green);

        // The defaults swap nothing into each other, even from swapped colours.
        Configuration.background_color = 0x00FFFF;
        Configuration.object_color = 0x800000;
        replace_color(shape->buffer, red, 0x00FFFF);
        replace_color(shape->buffer, green, 0x800000);
        configure(program, [](ConfigurationDialog& form) { form.default_colors_button->click(); });
        QCOMPARE(pixel_color(shape->buffer, 0, 0), StoredColor(0x800000));
        QCOMPARE(pixel_color(shape->buffer, 20, 15), StoredColor(0x00FFFF));
        QCOMPARE(stored("background_color"), 0x800000);
    }

    void printer_page_and_preview()
    {
        Program program;
        program.ui.printers.installed.append({QStringLiteral("Wide"), {300, 300, 3000, 2000, 3300, 2550, 0, 0}});
        program.ui.printers.setup_answer = [](PrinterCapabilities& page) {
            std::swap(page.physical_width, page.physical_height);
            return true;
        };
        configure(program, [&](ConfigurationDialog& form) {
            form.pages->setCurrentWidget(form.printer_page);
            QCOMPARE(form.printer_combo->count(), 2);
            QCOMPARE(form.printer_combo->currentIndex(), 0);
            QCOMPARE(form.page_width_box->text(), QStringLiteral("210 mm"));
            QCOMPARE(form.page_height_box->text(), QStringLiteral("297 mm"));
            QCOMPARE(form.printable_width_box->text(), QStringLiteral("203 mm"));
            const QRect back = form.paper_frame->geometry();
            QCOMPARE(form.page_frame->geometry().height(), back.width());
            QCOMPARE(form.page_frame->geometry().top(), back.top());
            QVERIFY(form.page_frame->geometry().left() > back.left());
            form.printer_units_combo->setCurrentIndex(1);
            emit form.printer_units_combo->activated(1);
            QCOMPARE(form.page_width_box->text(), QStringLiteral("4961 pixels"));
            form.printer_combo->setCurrentIndex(1);
            emit form.printer_combo->activated(1);
            QCOMPARE(program.ui.printers.current, 1);
            QCOMPARE(form.printable_height_box->text(), QStringLiteral("2000 pixels"));
            form.setup_printer_button->click();
            QCOMPARE(program.ui.printers.setups, 1);
            QCOMPARE(form.page_width_box->text(), QStringLiteral("2550 pixels"));
        });
        // The panel dimensions dialog now works with the chosen printer.
        program.ui.modal_answers.enqueue([](QDialog& dialog) {
            auto& form = static_cast<PanelDimensionsDialog&>(dialog);
            form.printer_resolution_radio->click();
            return int(QDialog::Rejected);
        });
        program.main->new_action->trigger();
        QCOMPARE(panel_dimensions_dialog->resolution_box->text(), QStringLiteral("300x300 dpi"));
    }
};

QTEST_MAIN(TestSettings)
#include "test_configuration_dialog.moc"

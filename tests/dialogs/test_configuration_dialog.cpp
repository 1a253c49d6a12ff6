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
    form.Edit1->setText(text);
    form.Edit1->setModified(true);
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
            QVERIFY(form.RadioButton3->isChecked());
            QVERIFY(form.Edit1->isEnabled() && !form.Edit2->isEnabled());
            QCOMPARE(form.Edit1->text(), QStringLiteral("0.1"));
            QCOMPARE(form.Edit2->text(), QStringLiteral("80"));
            QCOMPARE(form.Edit3->text(), QStringLiteral("-95"));
            QCOMPARE(form.Label12->text(), QStringLiteral("0.35Kbytes"));

            enter_angle(form, QStringLiteral("0.5"));
            QCOMPARE(Configuration.max_height, 303);
            QCOMPARE(Configuration.min_height, -774);
            QCOMPARE(stored("max_height"), 303);
            QCOMPARE(stored("min_height"), -774);
            QCOMPARE(stored_angle(), 0.5);
            enter_angle(form, QStringLiteral("1.0"));
            QCOMPARE(form.Edit1->text(), QStringLiteral("1"));
            QCOMPARE(form.Edit2->text(), QStringLiteral("466"));
            QCOMPARE(form.Edit3->text(), QStringLiteral("-6861"));

            // Outside (0, 1.1457...): the previous angle comes back.
            for (const char* text : {"1.2", "0", "-1"}) {
                enter_angle(form, QLatin1String(text));
                QCOMPARE(form.Edit1->text(), QStringLiteral("1"));
                QCOMPARE(Configuration.focus_angle, 1.0);
            }
            // No number at all: the conversion error, nothing stored.
            form.Edit1->setText(QStringLiteral("abc"));
            emit form.SpinButton1->up->clicked();
            QCOMPARE(program.ui.message_texts(), QStringList{"'abc' is not a valid floating point value"});
            QCOMPARE(form.Edit1->text(), QStringLiteral("1"));
            QCOMPARE(stored_angle(), 1.0);

            form.Edit1->setText(QStringLiteral("0.1"));
            emit form.SpinButton1->up->clicked();
            QCOMPARE(form.Edit1->text(), QStringLiteral("0.2"));
            QCOMPARE(Configuration.focus_angle, 0.2);
            enter_angle(form, QStringLiteral("1.1"));
            emit form.SpinButton1->up->clicked();
            QCOMPARE(form.Edit1->text(), QStringLiteral("1.1"));
            emit form.SpinButton1->down->clicked();
            QCOMPARE(form.Edit1->text(), QStringLiteral("1"));

            // Distances change the limits in cone mode.
            form.Edit4->setText(QStringLiteral("60"));
            QCOMPARE(Configuration.max_height, height_limits(60, 1000, tangent_of_degrees(1.0)).max_height);

            // Without a level distance no angle exists: the old one stays.
            form.Edit5->setText(QStringLiteral("0"));
            enter_angle(form, QStringLiteral("0.3"));
            QCOMPARE(Configuration.focus_angle, 1.0);
            form.Button7->click();
            QCOMPARE(Configuration.eye_distance, 40);
            QCOMPARE(Configuration.level_distance, 1000);
            QCOMPARE(stored("heightarray_limit"), 100);
            form.Button2->click();
            QCOMPARE(form.Edit1->text(), QStringLiteral("0.1"));
            QCOMPARE(Configuration.max_height, 80);
        });
        QCOMPARE(stored("min_height"), -95);
    }

    void manual_limits_survive_reopening_and_new_distances()
    {
        Program program;
        configure(program, [](ConfigurationDialog& form) {
            // An angle typed and never confirmed is taken when the dialog closes.
            form.Edit1->setText(QStringLiteral("0.4"));
            form.Edit1->setModified(true);
        });
        QCOMPARE(Configuration.focus_angle, 0.4);
        QCOMPARE(stored("max_height"), height_limits(40, 1000, tangent_of_degrees(0.4)).max_height);
        configure(program, [](ConfigurationDialog& form) {
            form.RadioButton4->click();
            QVERIFY(form.Edit2->isEnabled() && !form.Edit1->isEnabled());
            form.Edit2->setText(QStringLiteral("500"));
            form.Edit3->setText(QString());
            QCOMPARE(form.Edit3->text(), QStringLiteral("0"));
            form.Edit3->setText(QStringLiteral("-"));  // on its way to a negative number
            form.Edit3->setText(QStringLiteral("-600"));
            form.Edit4->setText(QStringLiteral("65"));
            form.Edit5->setText(QStringLiteral("800"));
            QCOMPARE(form.Label12->text(), QStringLiteral("2.2Kbytes"));
        });
        QCOMPARE(Configuration.setfocuscone_flag, std::uint8_t(0));
        configure(program, [](ConfigurationDialog& form) {
            QVERIFY(form.RadioButton4->isChecked());
            QCOMPARE(form.Edit2->text(), QStringLiteral("500"));
            QCOMPARE(form.Edit3->text(), QStringLiteral("-600"));
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
            QVERIFY(form.RadioButton2->isChecked());
            QVERIFY(!form.ComboBox1->isEnabled() && form.SpinEdit1->isEnabled());
            form.RadioButton1->click();
            QVERIFY(form.ComboBox1->isEnabled() && !form.SpinEdit1->isEnabled());
            QCOMPARE(Configuration.monitor_width, 254);
            form.ComboBox1->setCurrentIndex(3);
            emit form.ComboBox1->activated(3);
            QCOMPARE(stored("monitor_type"), 3);
            QCOMPARE(stored("monitor_width"), 338);
            QCOMPARE(stored("monitor_height"), 254);
            QCOMPARE(stored("standardmonitor_flag"), 1);
            form.Button1->click();
            QVERIFY(form.RadioButton2->isChecked());
            QCOMPARE(stored("monitor_width"), 270);
            QCOMPARE(stored("monitor_height"), 203);
            QCOMPARE(stored("standardmonitor_flag"), 0);
            form.SpinEdit2->setValue(150);
            QCOMPARE(stored("monitor_height"), 150);

            form.Edit4->setText(QString());
            QCOMPARE(form.Edit4->text(), QStringLiteral("0"));
            QCOMPARE(stored("eye_distance"), 0);
            form.Edit4->setText(QStringLiteral("40"));
            form.Edit4->setText(QStringLiteral("4x"));
            QCOMPARE(form.Edit4->text(), QStringLiteral("40"));
            QCOMPARE(Configuration.eye_distance, 40);

            form.CheckBox1->click();
            QCOMPARE(stored("donotusearray_flag"), 1);
            form.SpinEdit3->setValue(12); // the spin edit's limit is 9
            QCOMPARE(stored("filehistory"), 9);
            form.SpinEdit4->setValue(7);
            form.Edit11->setText(QStringLiteral("12x"));
            QCOMPARE(form.Edit11->text(), QStringLiteral("12x"));
            QCOMPARE(stored("rendercolor_range"), 0);
            form.Edit12->setText(QStringLiteral("-3"));
            QCOMPARE(Configuration.undohistory, 7);
            QCOMPARE(stored("rendercolor_base"), -3);
            form.Button8->click();
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
        const TColor navy = Configuration.background_color, yellow = Configuration.object_color;
        DrawingWindow* first = program.new_drawing();
        Shape* kept = program.draw_ellipse(first, QRect(10, 10, 40, 30));
        const QColor first_window = first->palette().color(QPalette::Window);
        DrawingWindow* second = program.new_drawing();
        Shape* shape = program.draw_ellipse(second, QRect(10, 10, 40, 30));
        QVERIFY(kept && shape && program.main->active_drawing() == second);
        const TColor red = 0x0000FF, green = 0x00FF00;

        program.ui.color_answers << red << std::nullopt << green << 0x0000FF;
        configure(program, [&](ConfigurationDialog& form) {
            form.Button3->click(); // background red
            form.Button3->click(); // cancelled
            form.Button4->click(); // objects green
            form.Button4->click(); // the background colour: refused
            QCOMPARE(form.Panel1->palette().color(QPalette::Window), QColor(Qt::red));
        });
        QCOMPARE(program.ui.messages.size(), 1);
        QCOMPARE(Configuration.background_color, red);
        QCOMPARE(Configuration.object_color, green);
        QCOMPARE(stored("background_color"), red);
        QCOMPARE(stored("object_color"), green);
        QCOMPARE(pixel_color(shape->buffer, 0, 0), red);           // outside the ellipse
        QCOMPARE(pixel_color(shape->buffer, 20, 15), green);       // its body
        QCOMPARE(pixel_color(shape->buffer, 0, 15), clBlack);      // its edge
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
        configure(program, [](ConfigurationDialog& form) { form.Button6->click(); });
        QCOMPARE(pixel_color(shape->buffer, 0, 0), TColor(0x800000));
        QCOMPARE(pixel_color(shape->buffer, 20, 15), TColor(0x00FFFF));
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
            form.PageControl1->setCurrentWidget(form.PrinterSheet);
            QCOMPARE(form.ComboBox2->count(), 2);
            QCOMPARE(form.ComboBox2->currentIndex(), 0);
            QCOMPARE(form.Edit7->text(), QStringLiteral("210 mm"));
            QCOMPARE(form.Edit8->text(), QStringLiteral("297 mm"));
            QCOMPARE(form.Edit9->text(), QStringLiteral("203 mm"));
            const QRect back = form.backshape->geometry();
            QCOMPARE(form.pageshape->geometry().height(), back.width());
            QCOMPARE(form.pageshape->geometry().top(), back.top());
            QVERIFY(form.pageshape->geometry().left() > back.left());
            form.ComboBox3->setCurrentIndex(1);
            emit form.ComboBox3->activated(1);
            QCOMPARE(form.Edit7->text(), QStringLiteral("4961 pixels"));
            form.ComboBox2->setCurrentIndex(1);
            emit form.ComboBox2->activated(1);
            QCOMPARE(program.ui.printers.current, 1);
            QCOMPARE(form.Edit10->text(), QStringLiteral("2000 pixels"));
            form.Button5->click();
            QCOMPARE(program.ui.printers.setups, 1);
            QCOMPARE(form.Edit7->text(), QStringLiteral("2550 pixels"));
        });
        // The panel dimensions dialog now works with the chosen printer.
        program.ui.modal_answers.enqueue([](QDialog& dialog) {
            auto& form = static_cast<PanelDimensionsDialog&>(dialog);
            form.RadioButton2->click();
            return int(QDialog::Rejected);
        });
        program.main->new_action->trigger();
        QCOMPARE(panel_dimensions_dialog->Edit1->text(), QStringLiteral("300x300 dpi"));
    }
};

QTEST_MAIN(TestSettings)
#include "test_configuration_dialog.moc"

// The move, rotate, crop and resize dialogs driven through their controls.
#include "core/shape.h"
#include "dialogs/crop_dialog.h"
#include "dialogs/move_dialog.h"
#include "dialogs/resize_dialog.h"
#include "dialogs/rotate_dialog.h"
#include "document/drawing_window.h"
#include "support/program.h"
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <cmath>

namespace {

// A showing answered by pressing one of the two buttons.
std::function<int(QDialog&)> press(bool ok)
{
    return [ok](QDialog& dialog) {
        auto& form = static_cast<CancellableDialog&>(dialog);
        (ok ? form.ok_button : form.cancel_button)->click();
        return form.result();
    };
}

} // namespace

class TestMoveRotateCropResize : public QObject {
    Q_OBJECT
private slots:
    void move_aligns_to_the_panel_and_starts_at_the_object()
    {
        ScriptedUi ui;
        MoveDialog form;
        const QSize object(100, 50);
        const QSize panel(400, 300);
        QCOMPARE(aligned_position(Alignment::Center, object, panel), QPoint(150, 125));
        QCOMPARE(aligned_position(Alignment::RightBottom, object, panel), QPoint(300, 250));
        QCOMPARE(aligned_position(Alignment::Center, QSize(101, 51), QSize(100, 50)), QPoint(0, 0)); // -1/2 truncates to 0

        QPoint seen;
        ui.modal_answers.enqueue([&](QDialog&) {
            seen = QPoint(form.x_box->value(), form.y_box->value());
            form.center_button->click();
            form.ok_button->click();
            return form.result();
        });
        form.execute(QPoint(-20, 7), object, panel);
        QCOMPARE(seen, QPoint(-20, 7));
        QCOMPARE(QPoint(form.x_box->value(), form.y_box->value()), QPoint(150, 125));
        QCOMPARE(form.cancelled, 0);
        form.right_top_button->click();
        QCOMPARE(QPoint(form.x_box->value(), form.y_box->value()), QPoint(300, 0));

        ui.modal_answers.enqueue([](QDialog&) { return 0; }); // closed without a button
        form.execute(QPoint(1, 2), object, panel);
        QCOMPARE(form.cancelled, 1);
        QCOMPARE(form.width(), form.cancel_button->x() + form.cancel_button->width() + 24);
    }

    void rotate_hands_over_the_clockwise_angle_and_mirrors()
    {
        const Rotation ccw90 = rotation_for(90, true, false, false);
        QCOMPARE(ccw90.cos, 0.0);
        QCOMPARE(ccw90.sin, -1.0);
        const Rotation cw90 = rotation_for(90, false, false, false);
        QCOMPARE(cw90.cos, 0.0);
        QCOMPARE(cw90.sin, 1.0);
        const Rotation none = rotation_for(0, true, true, false);
        QCOMPARE(none.cos, 1.0);
        QCOMPARE(none.sin, 0.0);
        QCOMPARE(none.mirror_x, -1);
        QCOMPARE(none.mirror_y, 1);
        const Rotation cw30 = rotation_for(30, false, false, true);
        QVERIFY(std::abs(cw30.cos - std::sqrt(3.0) / 2) < 1e-12);
        QVERIFY(std::abs(cw30.sin - 0.5) < 1e-12);
        QCOMPARE(cw30.mirror_y, -1);

        ScriptedUi ui;
        RotateDialog form;
        ui.modal_answers.enqueue([&](QDialog&) {
            form.angle_box->setValue(123);
            form.horizontal_mirror_check->setChecked(true);
            form.clockwise_radio->setChecked(true);
            form.cancel_button->click();
            return form.result();
        });
        form.execute();
        QCOMPARE(form.cancelled, 1);

        ui.modal_answers.enqueue([&](QDialog&) {
            // Each showing starts afresh: 0, no mirrors, counter-clockwise.
            if (form.angle_box->value() != 0 || form.horizontal_mirror_check->isChecked() || !form.counterclockwise_radio->isChecked())
                return 0;
            form.angle_button(315)->click();
            form.ok_button->click();
            return form.result();
        });
        form.execute();
        QCOMPARE(form.angle_box->value(), 315);
        QCOMPARE(form.cancelled, 0);
        QVERIFY(std::abs(form.rotation.cos - std::sqrt(0.5)) < 1e-12); // a clockwise turn of 45
        QVERIFY(std::abs(form.rotation.sin - std::sqrt(0.5)) < 1e-12);
        form.angle_button(180)->click();
        QCOMPARE(form.angle_box->value(), 180);
    }

    void crop_boxes_hold_whole_numbers()
    {
        ScriptedUi ui;
        CropDialog form;
        form.right_box->setText(QStringLiteral("9"));
        ui.modal_answers.enqueue(press(true));
        form.execute();
        for (QLineEdit* box : {form.left_box, form.right_box, form.top_box, form.bottom_box}) QCOMPARE(box->text(), QStringLiteral("0"));
        QCOMPARE(form.cancelled, 0);

        form.top_box->setText(QStringLiteral("abc"));
        form.tidy_box(form.top_box);
        QCOMPARE(form.top_box->text(), QStringLiteral("0"));
        form.left_box->setText(QStringLiteral("-1"));
        form.left_spin->up->click();
        QCOMPARE(form.left_box->text(), QStringLiteral("0"));
        form.left_spin->down->click();
        form.left_spin->down->click();
        QCOMPARE(form.left_box->text(), QStringLiteral("-2"));
        form.bottom_box->setText(QStringLiteral("x"));
        form.bottom_spin->up->click();
        QCOMPARE(form.bottom_box->text(), QStringLiteral("1"));
        form.right_box->setText(QString::number(std::numeric_limits<int>::max()));
        form.right_spin->up->click();
        QCOMPARE(form.right_box->text(), QString::number(std::numeric_limits<int>::max()));
    }

    void resize_in_percent_keeps_the_proportions_unless_distortion_is_allowed()
    {
        QCOMPARE(typed_dimension(33, 200, true), 66);
        QCOMPARE(shown_dimension(67, 200, true), 34);
        QCOMPARE(shown_dimension(5, 0, true), 0);
        QCOMPARE(typed_dimension(std::numeric_limits<int>::max(), 1000, true), std::numeric_limits<int>::max());

        ScriptedUi ui;
        ResizeDialog form;
        ui.modal_answers.enqueue(press(true));
        form.execute(200, 100);
        QCOMPARE(form.width_box->text(), QStringLiteral("200"));
        QCOMPARE(form.height_box->text(), QStringLiteral("100"));
        QCOMPARE(form.cancelled, 0);

        form.width_units_combo->setCurrentIndex(1);
        QCOMPARE(form.width_box->text(), QStringLiteral("100"));
        form.width_box->setText(QStringLiteral("50"));
        form.take_width();
        QCOMPARE(form.new_width, 100);
        QCOMPARE(form.width_box->text(), QStringLiteral("50"));
        QCOMPARE(form.new_height, 50);
        QCOMPARE(form.height_box->text(), QStringLiteral("50"));
        form.height_units_combo->setCurrentIndex(1);
        QCOMPARE(form.height_box->text(), QStringLiteral("50"));

        form.distortion_check->setChecked(true);
        form.height_box->setText(QStringLiteral("300"));
        form.take_height();
        QCOMPARE(form.new_height, 300);
        QCOMPARE(form.new_width, 100);

        // Typed and confirmed without leaving the box.
        ui.modal_answers.enqueue([&](QDialog&) {
            form.width_units_combo->setCurrentIndex(1);
            form.width_box->setText(QStringLiteral("33"));
            form.width_box->setModified(true);
            form.ok_button->click();
            return form.result();
        });
        form.execute(200, 100);
        QCOMPARE(form.new_width, 66);
        QCOMPARE(form.new_height, 100); // distortion still allowed: the check box keeps its state
        QVERIFY(form.distortion_check->isChecked());
        QCOMPARE(form.width_units_combo->currentIndex(), 1);

        ui.modal_answers.enqueue(press(false));
        form.execute(10, 20);
        QCOMPARE(form.cancelled, 1);
        QCOMPARE(form.width_units_combo->currentIndex(), 0);
        QCOMPARE(form.height(), form.cancel_button->y() + form.cancel_button->height() + 40);
    }

    void popup_commands_apply_the_dialogs_to_the_object()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_rectangle(drawing, QRect(20, 30, 40, 20));
        program.click(drawing, QPoint(30, 40));
        QCOMPARE(drawing->current_shape, shape);
        const auto entries = [&] { return drawing->history.undo_list.size(); };
        const auto run = [&](QAction* command, std::function<int(QDialog&)> answer) {
            program.ui.modal_answers.enqueue(std::move(answer));
            command->trigger();
            QVERIFY(program.ui.modal_answers.isEmpty());
        };

        for (QAction* command : {drawing->move_action, drawing->rotate_action, drawing->crop_action, drawing->resize_action})
            run(command, press(false));
        QCOMPARE(shape->bounds(), QRect(20, 30, 40, 20));
        QCOMPARE(entries(), size_t(0));

        run(drawing->move_action, [](QDialog& dialog) {
            auto& form = static_cast<MoveDialog&>(dialog);
            form.right_bottom_button->click();
            form.ok_button->click();
            return form.result();
        });
        QCOMPARE(shape->bounds(), QRect(360, 280, 40, 20));
        QCOMPARE(entries(), size_t(1));
        QCOMPARE(shape->edit_mode, EditMode::Resize);

        run(drawing->resize_action, [](QDialog& dialog) {
            auto& form = static_cast<ResizeDialog&>(dialog);
            form.width_box->setText(QStringLiteral("20"));
            form.take_width();
            form.ok_button->click();
            return form.result();
        });
        QCOMPARE(shape->bounds(), QRect(360, 280, 20, 10));
        QCOMPARE(entries(), size_t(2));

        run(drawing->crop_action, [](QDialog& dialog) {
            auto& form = static_cast<CropDialog&>(dialog);
            form.left_box->setText(QStringLiteral("2"));
            form.top_box->setText(QStringLiteral("junk")); // counts as 0
            form.ok_button->click();
            return form.result();
        });
        QCOMPARE(shape->bounds(), QRect(362, 280, 18, 10));
        QCOMPARE(entries(), size_t(3));

        run(drawing->rotate_action, [](QDialog& dialog) {
            auto& form = static_cast<RotateDialog&>(dialog);
            form.angle_button(90)->click();
            form.ok_button->click();
            return form.result();
        });
        QCOMPARE(shape->width, 10);
        QCOMPARE(shape->height, 18);
        QCOMPARE(entries(), size_t(4));
        QCOMPARE(drawing->history.undo_list.front()->caption, QStringLiteral("Rotate Object"));

        // Moving to where the object already is changes nothing.
        run(drawing->move_action, press(true));
        QCOMPARE(entries(), size_t(4));
    }
};

QTEST_MAIN(TestMoveRotateCropResize)
#include "test_move_rotate_crop_resize.moc"

// The object properties dialog shown from an object's popup menu.
#include "core/shape.h"
#include "dialogs/properties_dialog.h"
#include "document/drawing_window.h"
#include "support/program.h"
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestObjectProperties : public QObject {
    Q_OBJECT
private slots:
    void a_flat_object_shows_its_corners_with_their_heights()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_rectangle(drawing, QRect(10, 20, 100, 50));
        shape->morphology.edge_heights = {0, 5, 10, -15};
        program.click(drawing, QPoint(40, 40));
        QCOMPARE(drawing->current_shape, shape);

        QStringList corners;
        QString size;
        bool groups_right = false;
        QSize client;
        program.ui.modal_answers.enqueue([&](QDialog& dialog) {
            auto& form = static_cast<PropertiesDialog&>(dialog);
            for (QLabel* l : {form.left_top_label, form.right_top_label, form.left_bottom_label, form.right_bottom_label}) corners << l->text();
            size = form.dimensions_label->text();
            groups_right = !form.corners_group->isHidden() && form.bitmap_group->isHidden();
            client = form.size();
            form.ok_button->click();
            return form.result();
        });
        drawing->properties_action->trigger();
        QVERIFY(program.ui.modal_answers.isEmpty());
        QCOMPARE(corners, (QStringList{QStringLiteral("(x , y , z) = (10 , 20 , 0)"),
                                       QStringLiteral("(x , y , z) = (109 , 20 , 5)"),
                                       QStringLiteral("(x , y , z) = (10 , 69 , 10)"),
                                       QStringLiteral("(x , y , z) = (109 , 69 , -15)")}));
        QCOMPARE(size, QStringLiteral("(width , height) = (100 , 50)"));
        QVERIFY(groups_right);
        QCOMPARE(client.height(), properties_dialog->ok_button->y() + properties_dialog->ok_button->height() + 32);
        QVERIFY(properties_dialog->left_top_label->x() + properties_dialog->left_top_label->width() <= properties_dialog->corners_group->width() - 24);
        QVERIFY(properties_dialog->name_label->x() >= properties_dialog->name_caption_label->x() + properties_dialog->name_caption_label->width() + 100);

        drawing->deselect_shape(shape);
        drawing->properties_action->trigger(); // no current object: nothing is shown
        QVERIFY(program.ui.messages.isEmpty());
    }

    void a_bitmap_object_shows_its_settings()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape shape(drawing, 0);
        shape.name = QStringLiteral("hill");
        Morphology& m = shape.morphology;
        m.flat_surface = 0;
        m.bitmap_file = "/maps/hill.bmp";
        m.main_color = 3;
        m.min_color_value = 0;
        m.max_color_value = 255;
        m.min_color_height = -40;
        m.max_color_height = 60;
        m.clip_enabled = 0;
        m.clip_height = 9;

        PropertiesDialog& form = *properties_dialog;
        form.fill_controls(shape);
        QVERIFY(form.corners_group->isHidden() && !form.bitmap_group->isHidden());
        QCOMPARE(form.name_label->text(), QStringLiteral("hill"));
        QCOMPARE(form.bitmap_file_box->text(), QStringLiteral("/maps/hill.bmp"));
        QCOMPARE(form.main_color_label->text(), QStringLiteral("Blue"));
        QCOMPARE(form.color_limits_label->text(), QStringLiteral("(min , max) = (0 , 255)"));
        QCOMPARE(form.limit_heights_label->text(), QStringLiteral("(min , max) = (-40 , 60)"));
        QCOMPARE(form.clip_height_label->text(), QStringLiteral("no cliping"));
        QCOMPARE(form.width(), form.ok_button->x() + form.ok_button->width() + 32);

        m.clip_enabled = 1;
        m.clip_height = 0;
        m.main_color = 7; // not a channel: the colour text stays as it was
        form.fill_controls(shape);
        QCOMPARE(form.clip_height_label->text(), QStringLiteral("0"));
        QCOMPARE(form.main_color_label->text(), QStringLiteral("Blue"));
    }
};

QTEST_MAIN(TestObjectProperties)
#include "test_properties_dialog.moc"

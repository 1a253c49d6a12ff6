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
            for (QLabel* l : {form.Label11, form.Label12, form.Label13, form.Label14}) corners << l->text();
            size = form.Label6->text();
            groups_right = !form.GroupBox1->isHidden() && form.GroupBox2->isHidden();
            client = form.size();
            form.Button1->click();
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
        QCOMPARE(client.height(), properties_dialog->Button1->y() + properties_dialog->Button1->height() + 32);
        QVERIFY(properties_dialog->Label11->x() + properties_dialog->Label11->width() <= properties_dialog->GroupBox1->width() - 24);
        QVERIFY(properties_dialog->Label4->x() >= properties_dialog->Label1->x() + properties_dialog->Label1->width() + 100);

        drawing->deselect_shape(shape);
        drawing->properties_action->trigger(); // no current object: nothing is shown
        QVERIFY(program.ui.messages.isEmpty());
    }

    void a_bitmap_object_shows_its_settings()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape shape(drawing, 0);
        shape.Name = QStringLiteral("hill");
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
        form.FormShow(shape);
        QVERIFY(form.GroupBox1->isHidden() && !form.GroupBox2->isHidden());
        QCOMPARE(form.Label4->text(), QStringLiteral("hill"));
        QCOMPARE(form.Edit1->text(), QStringLiteral("/maps/hill.bmp"));
        QCOMPARE(form.Label15->text(), QStringLiteral("Blue"));
        QCOMPARE(form.Label17->text(), QStringLiteral("(min , max) = (0 , 255)"));
        QCOMPARE(form.Label19->text(), QStringLiteral("(min , max) = (-40 , 60)"));
        QCOMPARE(form.Label21->text(), QStringLiteral("no cliping"));
        QCOMPARE(form.width(), form.Button1->x() + form.Button1->width() + 32);

        m.clip_enabled = 1;
        m.clip_height = 0;
        m.main_color = 7; // not a channel: the colour text stays as it was
        form.FormShow(shape);
        QCOMPARE(form.Label21->text(), QStringLiteral("0"));
        QCOMPARE(form.Label15->text(), QStringLiteral("Blue"));
    }
};

QTEST_MAIN(TestObjectProperties)
#include "test_properties_dialog.moc"

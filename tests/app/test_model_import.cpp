// Import 3D Model: a model file read, turned and sized in its dialog, and
// added as one object whose morphology bitmap carries the model's relief.
#include "app/main_window.h"
#include "core/shape.h"
#include "dialogs/model_dialog.h"
#include "dialogs/model_preview.h"
#include "document/drawing_window.h"
#include "support/program.h"
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A pyramid on a 2 x 2 square, its apex 1 toward the viewer.
QString write_pyramid(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("pyramid.obj"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\nv 0 0 1\n"
               "f 1 2 5\nf 2 3 5\nf 3 4 5\nf 4 1 5\nf 1 3 2\nf 1 4 3\n");
    return path;
}

void drag_preview(ModelPreview* preview, QPoint from, QPoint to)
{
    QMouseEvent press(QEvent::MouseButtonPress, from, preview->mapToGlobal(from), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(preview, &press);
    QMouseEvent move(QEvent::MouseMove, to, preview->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(preview, &move);
}

} // namespace

class TestModelImport : public QObject {
    Q_OBJECT
private slots:
    void a_model_becomes_one_object_at_the_centre_that_undo_takes_away()
    {
        QTemporaryDir dir;
        const QString model = write_pyramid(dir);
        const QString drawing_path = dir.filePath(QStringLiteral("scene.sdf"));
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        program.draw_rectangle(drawing, QRect(5, 5, 20, 10));
        program.ui.file_answers.enqueue(drawing_path);
        program.main->save_action->trigger();

        QStringList heights;
        QImage preview;
        int yaw = 0;
        program.ui.file_answers.enqueue(model);
        program.ui.modal_answers.enqueue([&](QDialog& dialog) {
            auto& form = static_cast<ModelDialog&>(dialog);
            form.units_combo->setCurrentIndex(1); // pixels
            form.width_box->setValue(100);
            heights << form.height_box->text();
            // Dragging right turns the model a quarter about Y: seen from the
            // side the pyramid is twice as high as deep.
            drag_preview(form.preview, QPoint(10, 50), QPoint(100, 50));
            yaw = form.yaw_box->value();
            heights << form.height_box->text();
            form.yaw_box->setValue(0);
            heights << form.height_box->text();
            preview = form.preview->image();
            form.base_box->setValue(5);
            form.relief_box->setValue(30);
            form.ok_button->click();
            return form.result();
        });
        program.main->import_model_action->trigger();
        QCOMPARE(program.ui.file_dialog_titles.last(), QStringLiteral("Import 3D Model"));
        QVERIFY(program.ui.messages.isEmpty());
        QCOMPARE(yaw, 90);
        QCOMPARE(heights, QStringList({"100", "200", "100"}));
        // Apex white, base edges dark grey, the rest background.
        QCOMPARE(preview.size(), QSize(320, 240));
        QCOMPARE(preview.pixel(160, 120), qRgb(255, 255, 255));
        QVERIFY(qGray(preview.pixel(160, 20)) < 100);
        QVERIFY(preview.pixel(2, 2) != preview.pixel(160, 20));

        QCOMPARE(drawing->shapes.size(), 2);
        const Shape* added = drawing->shapes[1];
        QCOMPARE(added->name, QStringLiteral("shape2"));
        QCOMPARE(added->bounds(), QRect(150, 100, 100, 100));
        QCOMPARE(added->morphology.main_color, 2);
        QCOMPARE(added->morphology.min_color_height, 5);
        QCOMPARE(added->morphology.max_color_height, 35);
        const QString bitmap_path = QString::fromLocal8Bit(added->morphology.bitmap_file);
        QCOMPARE(QFileInfo(bitmap_path).absolutePath(), QFileInfo(drawing_path).absolutePath());
        const QImage bitmap(bitmap_path);
        QCOMPARE(bitmap.size(), QSize(100, 100));
        QCOMPARE(bitmap.pixel(50, 50), qRgb(0, 255, 0));
        QVERIFY(qGreen(bitmap.pixel(0, 0)) < 10);
        QCOMPARE(drawing->modified, 1);

        program.main->undo_action->trigger();
        QCOMPARE(drawing->shape_names(), QStringList{"shape1"});
        program.main->redo_action->trigger();
        QCOMPARE(drawing->shape_names(), QStringList({"shape1", "shape2"}));
        const QImage buffer = drawing->shapes[1]->buffer;
        const Morphology morphology = drawing->shapes[1]->morphology;

        program.main->save_action->trigger();
        program.main->close_action->trigger();
        program.ui.file_answers.enqueue(drawing_path);
        program.main->open_action->trigger();
        DrawingWindow* back = program.main->active_drawing();
        QVERIFY(back && back != drawing);
        QCOMPARE(back->shape_names(), QStringList({"shape1", "shape2"}));
        QCOMPARE(back->shapes[1]->bounds(), QRect(150, 100, 100, 100));
        QCOMPARE(back->shapes[1]->buffer.convertToFormat(QImage::Format_RGB888), buffer);
        QCOMPARE(back->shapes[1]->morphology, morphology);
        QVERIFY(program.ui.messages.isEmpty());
    }

    void a_bad_model_or_too_wide_an_object_is_refused()
    {
        QTemporaryDir dir;
        const QString broken = dir.filePath(QStringLiteral("broken.obj"));
        QFile file(broken);
        file.open(QIODevice::WriteOnly);
        file.write("this is no model\n");
        file.close();
        Program program;
        DrawingWindow* drawing = program.new_drawing();

        program.ui.file_answers.enqueue(broken);
        program.main->import_model_action->trigger();
        QCOMPARE(program.ui.messages.size(), 1);
        QVERIFY(program.ui.messages[0].text.contains(broken));
        QCOMPARE(program.ui.messages[0].kind, MessageKind::Error);
        QVERIFY(program.ui.modal_answers.isEmpty());

        program.ui.file_answers.enqueue(write_pyramid(dir));
        program.ui.modal_answers.enqueue([](QDialog& dialog) {
            auto& form = static_cast<ModelDialog&>(dialog);
            form.units_combo->setCurrentIndex(1);
            form.width_box->setValue(40000);
            form.ok_button->click();
            return form.result();
        });
        program.main->import_model_action->trigger();
        QCOMPARE(program.ui.messages.size(), 2);
        QVERIFY(program.ui.messages[1].text.contains(QStringLiteral("40000")));
        QVERIFY(drawing->shapes.isEmpty());
        QVERIFY(drawing->history.undo_list.empty());
    }
};

QTEST_MAIN(TestModelImport)
#include "test_model_import.moc"

// Make Animation: the open drawings rendered as the frames of one animated
// GIF, and a 3D model's turntable from its dialog.
#include "app/animation_dialog.h"
#include "app/main_window.h"
#include "core/configuration.h"
#include "core/shape.h"
#include "dialogs/model_dialog.h"
#include "document/drawing_window.h"
#include "document/panel_view.h"
#include "support/program.h"
#include "veride/animation_reader.h"
#include "veride/export.h"
#include "veride/render_settings.h"
#include <QFile>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Answers the Make Animation dialog: `path` as the file, Ok.
std::function<int(QDialog&)> animation_answer(const QString& path, int frames = 0, int frame_ms = 0)
{
    return [path, frames, frame_ms](QDialog& dialog) {
        auto& form = static_cast<AnimationDialog&>(dialog);
        if (frames > 0) form.frames_box->setValue(frames);
        if (frame_ms > 0) form.frame_time_box->setValue(frame_ms);
        form.file_edit->setText(path);
        form.ok_button->click();
        return form.result();
    };
}

// What one drawing renders as with the default picture options and seed.
QImage rendered(const DrawingWindow& drawing)
{
    RenderInputs inputs;
    const ConfigurationBlock configuration = configuration_block(Configuration);
    const QSize px = drawing.panel->pixel_size();
    const std::int32_t panel[4] = {drawing.panel->width_mm, drawing.panel->height_mm, px.width(), px.height()};
    inputs.settings = settings_from_blocks(configuration.data(), reinterpret_cast<const unsigned char*>(panel));
    for (const Shape* shape : drawing.shapes)
        inputs.objects.push_back(scene_object_from_buffer(shape->name, shape->bounds(), shape->buffer,
                                                          Configuration.background_color, shape->morphology));
    return render_inputs(inputs, PictureOptions{}).stereogram.convertToFormat(QImage::Format_RGB888);
}

QByteArray file_bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestMakeAnimation : public QObject {
    Q_OBJECT
private slots:
    void the_open_drawings_become_the_frames_in_window_menu_order()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("scenes.gif"));
        Program program;
        program.main->idle_update();
        QVERIFY(!program.main->make_animation_action->isEnabled());
        DrawingWindow* first = program.new_drawing();
        program.draw_rectangle(first, QRect(40, 40, 120, 80));
        DrawingWindow* second = program.new_drawing();
        program.draw_ellipse(second, QRect(200, 100, 150, 150));
        program.main->activate_drawing(first);
        program.main->idle_update();
        QVERIFY(program.main->make_animation_action->isEnabled());

        program.ui.modal_answers.enqueue(animation_answer(path));
        program.main->make_animation_action->trigger();
        QVERIFY(program.ui.messages.isEmpty());
        const ReadAnimation animation = read_gif(file_bytes(path));
        QVERIFY(animation.ok);
        QCOMPARE(animation.frames.size(), std::size_t(2));
        QCOMPARE(animation.delays[0], 10);
        QCOMPARE(animation.frames[0], rendered(*first));
        QCOMPARE(animation.frames[1], rendered(*second));

        // Cancel in the progress dialog: the file that was there stays as it was.
        QTimer::singleShot(0, program.main.get(), [&] {
            if (auto* progress = program.main->findChild<QProgressDialog*>()) progress->cancel();
        });
        program.ui.modal_answers.enqueue(animation_answer(path, 0, 500));
        const QByteArray before = file_bytes(path);
        program.main->make_animation_action->trigger();
        QVERIFY(program.ui.messages.isEmpty());
        QCOMPARE(file_bytes(path), before);

        // A drawing of another size: said, and nothing asked or rendered.
        program.ui.modal_answers.enqueue(Program::panel_answer(200, 100));
        program.main->new_action->trigger();
        const QString elsewhere = dir.filePath(QStringLiteral("sizes.gif"));
        program.ui.modal_answers.enqueue(animation_answer(elsewhere));
        program.main->make_animation_action->trigger();
        QCOMPARE(program.ui.messages.size(), 1);
        QVERIFY(program.ui.messages[0].text.contains(QStringLiteral("400 x 300")));
        QVERIFY(program.ui.messages[0].text.contains(QStringLiteral("200 x 100")));
        QCOMPARE(program.ui.modal_answers.size(), 1);
        QVERIFY(!QFile::exists(elsewhere));
    }

    void the_model_dialog_makes_a_turntable_and_stays_open()
    {
        QTemporaryDir dir;
        const QString model = dir.filePath(QStringLiteral("pyramid.obj"));
        QFile file(model);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\nv 0 0 1\n"
                   "f 1 2 5\nf 2 3 5\nf 3 4 5\nf 4 1 5\nf 1 3 2\nf 1 4 3\n");
        file.close();
        const QString path = dir.filePath(QStringLiteral("turntable.gif"));
        Program program;
        program.new_drawing();
        program.ui.file_answers.enqueue(model);
        program.ui.modal_answers.enqueue([&](QDialog& dialog) {
            auto& form = static_cast<ModelDialog&>(dialog);
            form.pitch_box->setValue(-60);
            program.ui.modal_answers.enqueue(animation_answer(path, 4));
            form.turntable_button->click();
            // Still asking: the user goes on and cancels the import.
            form.cancel_button->click();
            return form.result();
        });
        program.main->import_model_action->trigger();
        QVERIFY(program.ui.messages.isEmpty());
        QVERIFY(program.main->active_drawing()->shapes.isEmpty());
        const ReadAnimation animation = read_gif(file_bytes(path));
        QVERIFY(animation.ok);
        QCOMPARE(animation.frames.size(), std::size_t(4));
        // A quarter turn shows the pyramid another way: every frame differs from the next.
        for (std::size_t i = 0; i < 4; ++i) QVERIFY(animation.frames[i] != animation.frames[(i + 1) % 4]);
    }
};

QTEST_MAIN(TestMakeAnimation)
#include "test_make_animation.moc"

// Round Edges from the object popup, through the real program: the bitmap
// it writes, undo, the values kept between showings, and where the bitmap
// lives before and after a drawing's first save.
#include "app/generated_bitmaps.h"
#include "core/configuration.h"
#include "core/shape.h"
#include "dialogs/round_edges_dialog.h"
#include "document/drawing_window.h"
#include "support/program.h"
#include "veride/depth_map.h"
#include "veride/scene.h"
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The dialog's answer: the boxes filled (empty texts left as shown), Ok.
std::function<int(QDialog&)> rounding(const QString& band, const QString& top, const QString& base, int profile)
{
    return [=](QDialog& dialog) {
        auto& form = static_cast<RoundEdgesDialog&>(dialog);
        if (!band.isEmpty()) form.band_box->setText(band);
        if (!top.isEmpty()) form.top_box->setText(top);
        if (!base.isEmpty()) form.base_box->setText(base);
        if (profile >= 0) form.profile_combo->setCurrentIndex(profile);
        form.ok_button->click();
        return form.result();
    };
}

// The green of the middle and of a corner of a stored bitmap.
std::pair<int, int> middle_and_corner(const QByteArray& path)
{
    const QImage bitmap(QString::fromLocal8Bit(path));
    if (bitmap.isNull()) return {-1, -1};
    return {qGreen(bitmap.pixel(bitmap.width() / 2, bitmap.height() / 2)), qGreen(bitmap.pixel(0, 0))};
}

} // namespace

class TestRoundEdges : public QObject {
    Q_OBJECT
private slots:
    void init() { QFile::remove(qEnvironmentVariable("DIORAMIX_REGISTRY")); }

    void rounding_in_a_saved_drawing_writes_its_bitmap_beside_it_and_undoes()
    {
        QTemporaryDir dir;
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_ellipse(drawing, QRect(40, 40, 120, 90));
        program.ui.file_answers.enqueue(dir.filePath(QStringLiteral("scene.sdf")));
        program.main->save_action->trigger();
        QCOMPARE(drawing->has_file, 1);
        program.click(drawing, QPoint(100, 85));
        QCOMPARE(drawing->current_shape, shape);
        const Morphology before = shape->morphology;

        // Bad values are refused with a message, and the dialog stays until
        // they are put right; the preview shows the object.
        QImage preview;
        QString caption;
        program.ui.modal_answers.enqueue([&](QDialog& dialog) {
            auto& form = static_cast<RoundEdgesDialog&>(dialog);
            caption = form.windowTitle();
            for (auto [band, top, base] : {std::tuple{"0", "20", "0"}, std::tuple{"4", "5", "5"}}) {
                form.band_box->setText(QLatin1String(band));
                form.top_box->setText(QLatin1String(top));
                form.base_box->setText(QLatin1String(base));
                form.ok_button->click();
                if (form.result() == QDialog::Accepted) return int(QDialog::Accepted);
            }
            form.top_box->setText(QStringLiteral("25"));
            form.profile_combo->setCurrentIndex(1);
            preview = form.preview_label->pixmap().toImage();
            form.ok_button->click();
            return form.result();
        });
        drawing->round_edges_action->trigger();
        QCOMPARE(caption, QStringLiteral("Round Edges"));
        QCOMPARE(program.ui.message_texts(),
                 QStringList({QStringLiteral("The width of the rounded band must be a number of millimetres above 0."),
                              QStringLiteral("The top height must be above the base height.")}));
        QVERIFY(qGray(preview.pixel(preview.width() / 2, preview.height() / 2)) > 200);
        QCOMPARE(qGray(preview.pixel(0, 0)), 0);

        const QString written = dir.filePath(QStringLiteral("scene-%1.bmp").arg(shape->name));
        QCOMPARE(QString::fromLocal8Bit(shape->morphology.bitmap_file), written);
        QCOMPARE(shape->morphology.flat_surface, 0);
        QCOMPARE(shape->morphology.main_color, 2);
        QCOMPARE(shape->morphology.min_color_height, 5);
        QCOMPARE(shape->morphology.max_color_height, 25);
        QCOMPARE(middle_and_corner(shape->morphology.bitmap_file), std::pair(255, 0));
        QCOMPARE(drawing->history.undo_list.front()->caption, QStringLiteral("Object Morphology"));
        QCOMPARE(drawing->modified, 1);

        // The next showing starts from the values confirmed; a second
        // rounding takes a new name.
        program.ui.modal_answers.enqueue([](QDialog& dialog) {
            auto& form = static_cast<RoundEdgesDialog&>(dialog);
            const bool kept = form.band_box->text() == QLatin1String("4") && form.top_box->text() == QLatin1String("25")
                && form.base_box->text() == QLatin1String("5") && form.profile_combo->currentIndex() == 1;
            (kept ? form.ok_button : form.cancel_button)->click();
            return form.result();
        });
        drawing->round_edges_action->trigger();
        QCOMPARE(QString::fromLocal8Bit(shape->morphology.bitmap_file),
                 dir.filePath(QStringLiteral("scene-%1-2.bmp").arg(shape->name)));

        program.main->undo_action->trigger();
        program.main->undo_action->trigger();
        // Undo restores what the morphology's mode uses, as for Set Morphology.
        QCOMPARE(before.flat_surface, 1);
        QCOMPARE(shape->morphology.flat_surface, 1);
        QCOMPARE(shape->morphology.edge_heights, before.edge_heights);
        QVERIFY(QFileInfo::exists(written));
    }

    void a_bitmap_made_before_the_first_save_goes_beside_the_drawing_and_travels_with_its_folder()
    {
        QTemporaryDir dir;
        const QDir root(dir.path());
        for (const char* folder : {"first", "moved"}) QVERIFY(root.mkpath(QLatin1String(folder)));
        QString name;
        QString moved_drawing = root.filePath(QStringLiteral("moved/scene.sdf"));
        {
            Program program;
            DrawingWindow* drawing = program.new_drawing();
            Shape* shape = program.draw_ellipse(drawing, QRect(40, 40, 160, 120));
            name = shape->name;
            program.click(drawing, QPoint(120, 100));
            program.ui.modal_answers.enqueue(rounding({}, {}, {}, -1)); // the starting values
            drawing->round_edges_action->trigger();
            QCOMPARE(program.ui.message_texts(), QStringList());
            const QString waiting = QString::fromLocal8Bit(shape->morphology.bitmap_file);
            QCOMPARE(QFileInfo(waiting).absolutePath(), generated_bitmap_folder());
            QCOMPARE(shape->morphology.min_color_height, 0);
            QCOMPARE(shape->morphology.max_color_height, 40);

            // A save that cannot write beside the drawing says so and changes nothing.
            program.ui.file_answers.enqueue(root.filePath(QStringLiteral("missing/scene.sdf")));
            program.main->save_action->trigger();
            QCOMPARE(program.ui.messages.size(), 1);
            QCOMPARE(program.ui.messages[0].kind, MessageKind::Error);
            QCOMPARE(QString::fromLocal8Bit(shape->morphology.bitmap_file), waiting);
            QCOMPARE(drawing->has_file, 0);

            const QString path = root.filePath(QStringLiteral("first/scene.sdf"));
            program.ui.file_answers.enqueue(path);
            program.main->save_action->trigger();
            const QString beside = root.filePath(QStringLiteral("first/scene-%1.bmp").arg(name));
            QCOMPARE(QString::fromLocal8Bit(shape->morphology.bitmap_file), beside);
            QCOMPARE(drawing->modified, 0);
            QCOMPARE(middle_and_corner(shape->morphology.bitmap_file), std::pair(255, 0));
            QCOMPARE(drawing->history.undo_list.size(), size_t(1)); // the save made no entry

            // The drawing and its bitmap copied elsewhere, the first folder gone.
            QVERIFY(QFile::copy(path, moved_drawing));
            QVERIFY(QFile::copy(beside, root.filePath(QStringLiteral("moved/scene-%1.bmp").arg(name))));
        }
        QVERIFY(QDir(root.filePath(QStringLiteral("first"))).removeRecursively());

        Program program;
        program.ui.file_answers.enqueue(moved_drawing);
        program.main->open_action->trigger();
        QCOMPARE(program.ui.message_texts(), QStringList());
        DrawingWindow* opened = program.main->active_drawing();
        QVERIFY(opened);
        QCOMPARE(opened->shapes.size(), 1);
        const Shape* shape = opened->shapes.first();
        QCOMPARE(shape->name, name);
        QStringList problems;
        const DepthMap map =
            build_depth_map(400, 300,
                            {scene_object_from_buffer(shape->name, shape->bounds(), shape->buffer,
                                                      Configuration.background_color, shape->morphology)},
                            {Configuration.min_height, Configuration.max_height}, problems,
                            bitmap_reader_for(root.filePath(QStringLiteral("moved"))));
        QCOMPARE(problems, QStringList());
        QCOMPARE(map.at(120, 100), 40);
        QVERIFY(map.at(42, 100) > 0 && map.at(42, 100) < 40); // on the way up from the rim
        QCOMPARE(map.at(10, 10), 0);
    }
};

QTEST_MAIN(TestRoundEdges)
#include "test_round_edges.moc"

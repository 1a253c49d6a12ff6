// Undo and redo of recorded changes, driven through the main window's
// commands.
#include "core/configuration.h"
#include "core/raster.h"
#include "core/shape.h"
#include "document/drawing_window.h"
#include "support/program.h"
#include "support/settings_guard.h"
#include <QComboBox>
#include <QTest>

namespace {

void undo(Program& program)
{
    program.main->undo_action->trigger();
}

void redo(Program& program)
{
    program.main->redo_action->trigger();
}

} // namespace

class TestHistory : public QObject {
    Q_OBJECT
private slots:
    void undo_of_a_delete_restores_the_object_and_redo_deletes_it_again()
    {
        Program program;
        MainWindow& main = *program.main;
        DrawingWindow* drawing = program.new_drawing();
        program.draw_rectangle(drawing, QRect(10, 10, 20, 20));
        Shape* middle = program.draw_ellipse(drawing, QRect(40, 10, 30, 20));
        program.draw_rectangle(drawing, QRect(80, 10, 20, 20));
        middle->morphology.edge_heights = {1, 2, 3, 4};
        drawing->rename_shape(middle, QStringLiteral("tower"));
        const QImage pixels = middle->buffer;
        QCOMPARE(main.undo_action->text(), QStringLiteral("&Undo"));
        QVERIFY(!main.undo_action->isEnabled());

        program.click(drawing, QPoint(55, 20));
        QCOMPARE(drawing->current_shape, middle);
        program.key(drawing, Qt::Key_Delete);
        QCOMPARE(drawing->shapes.size(), 2);
        QCOMPARE(main.undo_action->text(), QStringLiteral("&Undo Delete Object"));
        QVERIFY(main.undo_action->isEnabled());

        drawing->modified = 0;
        undo(program);
        QCOMPARE(drawing->shapes.size(), 3);
        Shape* back = drawing->shapes[1];
        QCOMPARE(back->name, QStringLiteral("tower"));
        QCOMPARE(back->bounds(), QRect(40, 10, 30, 20));
        QCOMPARE(back->buffer, pixels);
        QCOMPARE(back->morphology.edge_heights, (std::array<std::int32_t, 4>{1, 2, 3, 4}));
        QCOMPARE(main.object_names_combo->itemText(1), QStringLiteral("tower"));
        QCOMPARE(drawing->modified, std::uint8_t(1));
        QCOMPARE(main.undo_action->text(), QStringLiteral("&Undo"));
        QCOMPARE(main.redo_action->text(), QStringLiteral("&Redo Delete Object"));
        QCOMPARE(drawing->current_shape, nullptr);

        drawing->modified = 0;
        redo(program);
        QCOMPARE(drawing->shape_names(), QStringList({"shape1", "shape3"}));
        QCOMPARE(drawing->modified, std::uint8_t(1));
        QCOMPARE(main.undo_action->text(), QStringLiteral("&Undo Delete Object"));
        QVERIFY(!main.redo_action->isEnabled());
    }

    void the_history_keeps_the_configured_number_of_entries()
    {
        const SettingsGuard settings;
        Configuration.undohistory = 4;
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        for (int i = 0; i < 5; ++i) program.draw_rectangle(drawing, QRect(10 + 30 * i, 10, 20, 20));
        for (int i = 0; i < 5; ++i) {
            drawing->select_shape(drawing->shapes[0]);
            drawing->delete_shape();
        }
        QCOMPARE(drawing->history.undo_list.size(), size_t(4));
        for (int i = 0; i < 5; ++i) undo(program);
        QCOMPARE(drawing->shapes.size(), 4);
        QCOMPARE(drawing->shape_names(), QStringList({"shape2", "shape3", "shape4", "shape5"}));
        QCOMPARE(drawing->history.redo_list.size(), size_t(4));
    }

    void a_new_change_empties_the_redo_list()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        program.draw_rectangle(drawing, QRect(10, 10, 20, 20));
        program.draw_rectangle(drawing, QRect(40, 10, 20, 20));
        drawing->select_shape(drawing->shapes[0]);
        drawing->delete_shape();
        undo(program);
        QCOMPARE(drawing->history.redo_list.size(), size_t(1));
        drawing->select_shape(drawing->shapes[1]);
        drawing->delete_shape();
        QVERIFY(drawing->history.redo_list.empty());
        QVERIFY(!program.main->redo_action->isEnabled());
    }

    void a_rebuilt_selected_object_comes_back_selected_in_resize_mode()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_rectangle(drawing, QRect(10, 10, 20, 20));
        drawing->select_shape(shape);
        // A change recorded around the selected object, as a transform records it.
        drawing->history.record(shape, QStringLiteral("Move Object"), [&] { shape->left = 50; });
        drawing->mark_changed();
        undo(program);
        Shape* rebuilt = drawing->current_shape;
        QVERIFY(rebuilt);
        QCOMPARE(rebuilt->left, 10);
        QCOMPARE(rebuilt->edit_mode, EditMode::Resize);
        QVERIFY(rebuilt->nodes[0].visible);
        QCOMPARE(program.main->object_names_combo->currentIndex(), 0);
        QCOMPARE(program.main->redo_action->text(), QStringLiteral("&Redo Move Object"));

        // Two changes of the same object undo through its rebuilt self.
        drawing->history.redo_list.clear();
        drawing->history.record(rebuilt, QStringLiteral("Move Object"), [&] { rebuilt->left = 70; });
        Shape* moved = drawing->current_shape;
        drawing->history.record(moved, QStringLiteral("Move Object"), [&] { moved->left = 90; });
        drawing->mark_changed();
        undo(program);
        undo(program);
        QCOMPARE(drawing->shapes.size(), 1);
        QCOMPARE(drawing->shapes[0]->left, 10);
    }

    void the_silhouette_comes_back_in_the_colours_of_the_moment()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_ellipse(drawing, QRect(10, 10, 20, 12));
        const QImage before = shape->buffer;
        drawing->select_shape(shape);
        drawing->delete_shape();

        const SettingsGuard settings;
        Configuration.object_color = 0xFFFFFF;
        Configuration.background_color = 0x404040;
        undo(program);
        Shape* back = drawing->shapes[0];
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 20; ++x) {
                const StoredColor was = pixel_color(before, x, y);
                const StoredColor now = pixel_color(back->buffer, x, y);
                if (was == settings.configuration.background_color)
                    QCOMPARE(now, StoredColor(0x404040));
                else
                    QVERIFY(now == color_black || now == 0xFFFFFF);
            }
        QCOMPARE(pixel_color(back->buffer, 10, 6), StoredColor(0xFFFFFF));
        QCOMPARE(pixel_color(back->buffer, 0, 6), color_black);
    }
};

QTEST_MAIN(TestHistory)
#include "test_history.moc"

// The transforms on objects of a running drawing: what they change, what
// they refuse, the undo entries they record, Adjust Edges and the
// double-click.
#include "core/configuration.h"
#include "core/object_size.h"
#include "core/raster.h"
#include "core/shape.h"
#include "core/silhouette.h"
#include "document/drawing_window.h"
#include "support/program.h"
#include <QTest>
#include <climits>
#include <cmath>
#include <functional>

namespace {

void undo(Program& program)
{
    program.main->undo_action->trigger();
}

void redo(Program& program)
{
    program.main->redo_action->trigger();
}

QString undo_caption(Program& program)
{
    return program.main->undo_action->text();
}

// What an undo copy keeps of an object: place and silhouette.
struct Look {
    QRect bounds;
    QImage silhouette;
    bool operator==(const Look&) const = default;
};

Look look_of(const Shape* shape)
{
    return {shape->bounds(), silhouette_mask(shape->buffer, Configuration.background_color)};
}

// Only `shape` of a drawing, after undo or redo has rebuilt it.
Shape* only(DrawingWindow* drawing)
{
    return drawing->shapes.size() == 1 ? drawing->shapes.constFirst() : nullptr;
}

} // namespace

class TestTransformsUndo : public QObject {
    Q_OBJECT
private slots:
    void each_transform_records_one_entry_that_undo_and_redo_reverse()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        QVERIFY(program.draw_ellipse(drawing, QRect(100, 100, 11, 5)));

        struct Step {
            QString caption;
            std::function<bool(Shape*)> run;
            QRect bounds;
        };
        // 90 degrees clockwise keeps the centre (105, 102).
        const QList<Step> steps{
            {QStringLiteral("Rotate Object"), [&](Shape* s) { return drawing->rotate_shape(s, 1, 1, 1, 0); },
             QRect(103, 97, 5, 11)},
            {QStringLiteral("Move Object"), [&](Shape* s) { return drawing->move_shape(s, 30, 40); },
             QRect(30, 40, 5, 11)},
            {QStringLiteral("Resize Object"), [&](Shape* s) { return drawing->resize_shape(s, 9, 20); },
             QRect(30, 40, 9, 20)},
            {QStringLiteral("Crop Object"), [&](Shape* s) { return drawing->crop_shape(s, 1, 2, 3, 4); },
             QRect(31, 43, 6, 13)},
        };
        for (const Step& step : steps) {
            const Look before = look_of(only(drawing));
            drawing->modified = 0;
            QVERIFY(step.run(only(drawing)));
            QCOMPARE(int(drawing->modified), 1);
            const Look after = look_of(only(drawing));
            QCOMPARE(after.bounds, step.bounds);
            QCOMPARE(undo_caption(program), QStringLiteral("&Undo ") + step.caption);
            undo(program);
            QCOMPARE(look_of(only(drawing)), before);
            redo(program);
            QCOMPARE(look_of(only(drawing)), after);
        }
    }

    void transforms_that_change_nothing_or_leave_nothing_record_nothing()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_rectangle(drawing, QRect(50, 60, 10, 8));
        const Look before = look_of(shape);
        QCOMPARE(undo_caption(program), QStringLiteral("&Undo"));

        QVERIFY(!drawing->move_shape(shape, 50, 60));
        QVERIFY(!drawing->resize_shape(shape, 10, 8));
        QVERIFY(!drawing->crop_shape(shape, 0, 0, 0, 0));
        QVERIFY(!drawing->rotate_shape(shape, 1, 1, 0, 1));
        // Refused: no size, or a crop that would leave no pixel.
        QVERIFY(!drawing->resize_shape(shape, 0, 8));
        QVERIFY(!drawing->resize_shape(shape, 10, -3));
        QVERIFY(!drawing->crop_shape(shape, 5, 5, 0, 0));
        QVERIFY(!drawing->crop_shape(shape, 0, 0, 9, 0));
        // A place beyond what an object may lie at is refused with the reason.
        QVERIFY_THROWS_EXCEPTION(ObjectSizeError, drawing->move_shape(shape, INT_MAX - 2, 0));
        QVERIFY(!drawing->crop_shape(shape, INT_MAX, INT_MIN + 20, 0, 0));

        QCOMPARE(look_of(shape), before);
        QVERIFY(drawing->history.undo_list.empty());
        QCOMPARE(undo_caption(program), QStringLiteral("&Undo"));
    }

    void adjust_edges_trims_to_content_from_the_popup_and_the_double_click()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        const StoredColor bg = Configuration.background_color;
        Shape* shape = program.draw_rectangle(drawing, QRect(40, 50, 20, 16));
        // A figure with a 4-pixel background border on every side.
        QImage framed = make_buffer(20, 16, bg);
        for (int y = 4; y < 12; ++y)
            for (int x = 4; x < 16; ++x) framed.setPixelColor(x, y, to_qcolor(Configuration.object_color));
        shape->buffer = framed;

        program.click(drawing, QPoint(50, 58));
        QCOMPARE(drawing->current_shape, shape);
        drawing->adjust_edges_action->trigger();
        QCOMPARE(shape->bounds(), QRect(44, 54, 12, 8));
        // The trimmed figure gets its black edge.
        QCOMPARE(pixel_color(shape->buffer, 0, 3), color_black);
        QCOMPARE(pixel_color(shape->buffer, 1, 3), Configuration.object_color);
        QCOMPARE(undo_caption(program), QStringLiteral("&Undo Crop Object"));
        QCOMPARE(shape->edit_mode, EditMode::Resize);
        QCOMPARE(QPoint(shape->nodes[0].left, shape->nodes[0].top), QPoint(41, 51));
        QVERIFY(shape->nodes[3].visible);

        // Nothing left to trim: no entry, but the nodes still return to resize.
        drawing->history.undo_list.clear();
        shape->edit_mode = EditMode::Rotate;
        drawing->adjust_edges_action->trigger();
        QCOMPARE(shape->bounds(), QRect(44, 54, 12, 8));
        QVERIFY(drawing->history.undo_list.empty());
        QCOMPARE(shape->edit_mode, EditMode::Resize);

        // The double-click trims and leaves crop mode; with nothing to trim
        // it leaves the mode alone.
        QImage padded = make_buffer(14, 10, bg);
        for (int y = 1; y < 9; ++y)
            for (int x = 1; x < 13; ++x) padded.setPixelColor(x, y, Qt::black);
        shape->set_bounds(43, 53, 14, 10);
        shape->buffer = padded;
        drawing->shape_dblclicked(MouseTarget{shape, Shape::object_tag});
        QCOMPARE(shape->bounds(), QRect(44, 54, 12, 8));
        QCOMPARE(shape->edit_mode, EditMode::Crop);
        QCOMPARE(shape->nodes[0].color, color_white);
        shape->edit_mode = EditMode::Resize;
        drawing->shape_dblclicked(MouseTarget{shape, Shape::object_tag});
        QCOMPARE(shape->edit_mode, EditMode::Resize);

        // An object of nothing but background is left as it is.
        shape->buffer = make_buffer(12, 8, bg);
        QVERIFY(!drawing->adjust_edges(shape));
        QCOMPARE(shape->bounds(), QRect(44, 54, 12, 8));
    }

    void a_real_double_click_trims_the_object()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_rectangle(drawing, QRect(40, 50, 20, 16));
        // Turning by 45 degrees and back leaves background margins to trim.
        QVERIFY(drawing->rotate_shape(shape, 1, 1, std::sqrt(0.5), std::sqrt(0.5)));
        QVERIFY(drawing->rotate_shape(only(drawing), 1, 1, -std::sqrt(0.5), std::sqrt(0.5)));
        shape = only(drawing);
        const QRect grown = shape->bounds();
        QVERIFY(grown.width() > 20);
        const QPoint centre = grown.center();
        program.click(drawing, centre);
        QTest::mouseDClick(drawing->panel, Qt::LeftButton, Qt::NoModifier, centre);
        shape = only(drawing);
        QVERIFY(shape->width < grown.width());
        QVERIFY(grown.contains(shape->bounds()));
        QCOMPARE(undo_caption(program), QStringLiteral("&Undo Crop Object"));
    }
};

QTEST_MAIN(TestTransformsUndo)
#include "test_transforms_undo.moc"

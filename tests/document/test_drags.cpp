// Dragging a selected object with the mouse: the body moves it, the nodes
// resize, crop or rotate it, each ending in one undoable change.
#include "core/configuration.h"
#include "core/shape.h"
#include "document/drawing_window.h"
#include "support/program.h"
#include <QTest>
#include <cmath>

namespace {

QString undo_caption(Program& program)
{
    return program.main->undo_action->text();
}

void undo(Program& program)
{
    program.main->undo_action->trigger();
}

// The panel position of a node's centre, on its object's corner pixel.
QPoint node_centre(const Shape* shape, int node)
{
    return QPoint(shape->nodes[node].left + 3, shape->nodes[node].top + 3);
}

Shape* only(DrawingWindow* drawing)
{
    return drawing->shapes.size() == 1 ? drawing->shapes.constFirst() : nullptr;
}

double distance(QPoint a, QPoint b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

// Whether the outline (top-left, top-right, bottom-left, bottom-right) is
// a square about `centre` with corners `radius` away from it: each corner,
// clockwise, is the one before turned by a right angle, up to the rounding
// of the corners to whole pixels.
bool is_square(const std::array<QPoint, 4>& outline, QPoint centre, double radius)
{
    const QPoint clockwise[4] = {outline[0] - centre, outline[1] - centre, outline[3] - centre, outline[2] - centre};
    for (int k = 0; k < 4; ++k) {
        const QPoint a = clockwise[k], b = clockwise[(k + 1) % 4];
        if (std::abs(b.x() + a.y()) > 2 || std::abs(b.y() - a.x()) > 2) return false;
        if (std::abs(std::hypot(a.x(), a.y()) - radius) > 2.5) return false;
    }
    return true;
}

} // namespace

class TestDrags : public QObject {
    Q_OBJECT
private slots:
    void dragging_the_body_moves_by_the_mouse_delta()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_rectangle(drawing, QRect(50, 50, 30, 20));
        program.click(drawing, QPoint(60, 60));
        QCOMPARE(shape->edit_mode, EditMode::Resize);

        program.press(drawing, QPoint(60, 60));
        program.move(drawing, QPoint(70, 65));
        QCOMPARE(drawing->drag().action(), DragAction::Move);
        QCOMPARE(program.main->status_panel(1), QStringLiteral("(x,y)=(60,55) (w,h)=(30,20)"));
        program.move(drawing, QPoint(75, 72));
        program.release(drawing, QPoint(75, 72));

        shape = only(drawing);
        QCOMPARE(shape->bounds(), QRect(65, 62, 30, 20));
        QCOMPARE(undo_caption(program), QStringLiteral("&Undo Move Object"));
        QCOMPARE(drawing->current_shape, shape);
        QCOMPARE(shape->edit_mode, EditMode::Resize);
        QVERIFY(shape->nodes[0].visible);
        QCOMPARE(QPoint(shape->nodes[0].left, shape->nodes[0].top), QPoint(62, 59));
        QCOMPARE(drawing->drag().action(), DragAction::None);
        QVERIFY(drawing->panel->layer.isEmpty());
        QVERIFY(!drawing->panel->capture);

        undo(program);
        QCOMPARE(only(drawing)->bounds(), QRect(50, 50, 30, 20));
    }

    void deleting_the_object_during_a_drag_ends_the_drag()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        program.draw_rectangle(drawing, QRect(50, 50, 30, 20));
        program.click(drawing, QPoint(60, 60));
        program.press(drawing, QPoint(60, 60));
        program.move(drawing, QPoint(70, 65));
        program.key(drawing, Qt::Key_Delete);
        QVERIFY(drawing->shapes.isEmpty());
        program.release(drawing, QPoint(70, 65));
        QCOMPARE(drawing->drag().action(), DragAction::None);
        QVERIFY(drawing->panel->layer.isEmpty());
        QVERIFY(!drawing->panel->capture);
        program.click(drawing, QPoint(200, 200));
        QVERIFY(drawing->panel->layer.isEmpty());
        QCOMPARE(undo_caption(program), QStringLiteral("&Undo Delete Object"));
    }

    void a_resize_drag_past_the_opposite_edge_switches_corner_and_undoes_whole()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_rectangle(drawing, QRect(50, 50, 30, 20));
        program.click(drawing, QPoint(60, 60));

        // The bottom-right node dragged left past the left edge: the
        // bottom-left corner follows the mouse from then on.
        program.press(drawing, node_centre(shape, 3));
        QCOMPARE(node_centre(shape, 3), QPoint(79, 69));
        program.move(drawing, QPoint(40, 60));
        QCOMPARE(drawing->drag().action(), DragAction::Resize);
        QCOMPARE(drawing->drag().node(), 3);
        program.move(drawing, QPoint(42, 64));
        program.release(drawing, QPoint(42, 64));

        shape = only(drawing);
        QCOMPARE(shape->bounds(), QRect(42, 50, 9, 15));
        QCOMPARE(undo_caption(program), QStringLiteral("&Undo Resize Object"));
        QCOMPARE(shape->edit_mode, EditMode::Resize);
        // One entry holds the new place and the new size.
        undo(program);
        QCOMPARE(only(drawing)->bounds(), QRect(50, 50, 30, 20));
        QVERIFY(drawing->history.undo_list.empty());
    }

    void a_crop_drag_cuts_what_the_outline_leaves_out()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_rectangle(drawing, QRect(50, 50, 30, 20));
        for (int i = 0; i < 3; ++i) program.click(drawing, QPoint(60, 60));
        QCOMPARE(shape->edit_mode, EditMode::Crop);

        // A drag back to where it started cuts nothing: no entry, and the
        // white nodes show again for another try.
        program.press(drawing, node_centre(shape, 0));
        program.move(drawing, QPoint(52, 53));
        program.move(drawing, QPoint(50, 50));
        program.release(drawing, QPoint(50, 50));
        QCOMPARE(only(drawing), shape);
        QVERIFY(drawing->history.undo_list.empty());
        QCOMPARE(shape->edit_mode, EditMode::Crop);
        QVERIFY(shape->nodes[0].visible);
        QCOMPARE(shape->nodes[0].color, color_white);
        QCOMPARE(drawing->drag().action(), DragAction::None);
        QVERIFY(drawing->panel->layer.isEmpty());

        // Top-left node in by (3, 2), bottom-right node in by (4, 1).
        program.press(drawing, node_centre(shape, 0));
        program.move(drawing, QPoint(52, 51));
        QCOMPARE(drawing->drag().action(), DragAction::Crop);
        program.move(drawing, QPoint(53, 52));
        program.release(drawing, QPoint(53, 52));
        shape = only(drawing);
        QCOMPARE(shape->bounds(), QRect(53, 52, 27, 18));
        QCOMPARE(undo_caption(program), QStringLiteral("&Undo Crop Object"));
        QCOMPARE(shape->edit_mode, EditMode::Resize);

        program.click(drawing, QPoint(60, 60));
        program.click(drawing, QPoint(60, 60));
        program.move(drawing, node_centre(shape, 3));
        QCOMPARE(drawing->panel->cursor().hotSpot(), QPoint(8, 8));
        program.press(drawing, node_centre(shape, 3));
        program.move(drawing, QPoint(77, 68));
        program.move(drawing, QPoint(75, 68));
        program.release(drawing, QPoint(75, 68));
        QCOMPARE(only(drawing)->bounds(), QRect(53, 52, 23, 17));
    }

    void a_rotate_drag_turns_the_outline_and_rotates_on_release()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_rectangle(drawing, QRect(60, 60, 21, 21));
        program.click(drawing, QPoint(70, 70));
        program.click(drawing, QPoint(70, 70));
        QCOMPARE(shape->edit_mode, EditMode::Rotate);
        // Over a red node the panel shows the program's own rotate cursor.
        program.move(drawing, node_centre(shape, 3));
        QCOMPARE(drawing->panel->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(drawing->panel->cursor().hotSpot(), QPoint(16, 16));
        QCOMPARE(drawing->panel->cursor().pixmap().size(), QSize(32, 32));

        program.press(drawing, node_centre(shape, 3));
        QCOMPARE(drawing->drag().rotation_center(), QPoint(71, 71));
        QCOMPARE(drawing->drag().rotation_radius2(), 220.5);

        // Along the corner's own direction: no turn.
        program.move(drawing, QPoint(85, 85));
        QCOMPARE(drawing->drag().action(), DragAction::Rotate);
        QVERIFY(drawing->drag().rotating());
        QCOMPARE(program.main->status_panel(1), QStringLiteral("angle = 0°"));
        const std::array<QPoint, 4> upright{QPoint(61, 61), QPoint(82, 61), QPoint(61, 82), QPoint(82, 82)};
        QCOMPARE(drawing->drag().outline(), upright);

        // Through the centre: the outline stays as it was.
        program.move(drawing, QPoint(71, 71));
        QCOMPARE(drawing->drag().outline(), upright);

        // A turn the other way round; a square keeps its shape at every angle.
        for (QPoint at : {QPoint(80, 90), QPoint(71, 92), QPoint(64, 88)}) {
            program.move(drawing, at);
            QVERIFY(is_square(drawing->drag().outline(), QPoint(71, 71), std::sqrt(220.5)));
            // The dragged corner points at the mouse.
            const QPoint corner = drawing->drag().outline()[3] - QPoint(71, 71);
            const QPoint mouse = at - QPoint(71, 71);
            QVERIFY(std::abs(corner.x() * mouse.y() - corner.y() * mouse.x()) <= 2 * distance(at, QPoint(71, 71)));
        }
        program.move(drawing, QPoint(61, 81));
        QCOMPARE(program.main->status_panel(1), QStringLiteral("angle = 270°"));
        QVERIFY(is_square(drawing->drag().outline(), QPoint(71, 71), std::sqrt(220.5)));
        QCOMPARE(drawing->drag().outline()[3], QPoint(61, 82));

        program.release(drawing, QPoint(61, 81));
        QVERIFY(!drawing->drag().rotating());
        QCOMPARE(undo_caption(program), QStringLiteral("&Undo Rotate Object"));
        shape = only(drawing);
        QVERIFY(shape->width >= 21 && shape->width <= 22);
        QCOMPARE(shape->width, shape->height);
        QCOMPARE(shape->edit_mode, EditMode::Resize);
        QVERIFY(drawing->panel->layer.isEmpty());
    }

    void a_rotate_drag_back_to_the_start_changes_nothing()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_rectangle(drawing, QRect(60, 60, 30, 12));
        program.click(drawing, QPoint(70, 65));
        program.click(drawing, QPoint(70, 65));
        const QPoint corner = node_centre(shape, 1);
        program.press(drawing, corner);
        program.move(drawing, corner + QPoint(5, 8));
        // Angles in the other sense count down from 360.
        QVERIFY(program.main->status_panel(1).startsWith(QStringLiteral("angle = 3")));
        // Back on the start direction from the centre (75, 66): the cosine
        // comes out as 1 up to rounding.
        program.move(drawing, QPoint(85, 62));
        QCOMPARE(program.main->status_panel(1), QStringLiteral("angle = 0°"));
        program.release(drawing, QPoint(85, 62));
        QCOMPARE(only(drawing), shape);
        QCOMPARE(shape->bounds(), QRect(60, 60, 30, 12));
        QVERIFY(drawing->history.undo_list.empty());
        QCOMPARE(shape->edit_mode, EditMode::Rotate);
        QVERIFY(shape->nodes[1].visible);
        QVERIFY(!drawing->drag().rotating());
        QCOMPARE(drawing->drag().action(), DragAction::None);
    }
};

QTEST_MAIN(TestDrags)
#include "test_drags.moc"

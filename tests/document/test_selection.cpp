// Selecting objects by clicking their pixels, the node modes a click
// cycles through, the popup, z-order, Tab and delete.
#include "app/main_window.h"
#include "core/configuration.h"
#include "core/shape.h"
#include "document/drawing_window.h"
#include "support/program.h"
#include <QComboBox>
#include <QMenu>
#include <QTest>

namespace {
constexpr StoredColor red = 0x0000FF;

QStringList names(const DrawingWindow* drawing)
{
    return drawing->shape_names();
}
} // namespace

class TestSelection : public QObject {
    Q_OBJECT
private slots:
    void clicks_select_by_pixels_and_cycle_the_node_modes()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* ellipse = program.draw_ellipse(drawing, QRect(100, 100, 40, 30));
        QVERIFY(ellipse);

        // The ellipse's transparent corner is no hit.
        program.click(drawing, QPoint(101, 101));
        QCOMPARE(drawing->current_shape, nullptr);
        QVERIFY(!ellipse->nodes[0].visible);

        program.click(drawing, QPoint(120, 115));
        QCOMPARE(drawing->current_shape, ellipse);
        QCOMPARE(ellipse->edit_mode, EditMode::Resize);
        QCOMPARE(program.main->object_names_combo->currentIndex(), 0);
        QCOMPARE(program.main->status_panel(1), QStringLiteral("(x,y)=(100,100) (w,h)=(40,30)"));
        QCOMPARE(ellipse->hint, QStringLiteral("Drag to move object (resize mode)"));
        const QPoint node_corners[4] = {{97, 97}, {136, 97}, {97, 126}, {136, 126}};
        for (int i = 0; i < 4; ++i) {
            QVERIFY(ellipse->nodes[i].visible);
            QCOMPARE(ellipse->nodes[i].color, color_black);
            QCOMPARE(QPoint(ellipse->nodes[i].left, ellipse->nodes[i].top), node_corners[i]);
            QCOMPARE(ellipse->nodes[i].hint, QStringLiteral("Drag node to resize object"));
        }

        program.click(drawing, QPoint(120, 115));
        QCOMPARE(ellipse->edit_mode, EditMode::Rotate);
        QCOMPARE(ellipse->nodes[3].color, red);
        QCOMPARE(ellipse->nodes[3].hint, QStringLiteral("Drag node to rotate object"));
        program.click(drawing, QPoint(120, 115));
        QCOMPARE(ellipse->edit_mode, EditMode::Crop);
        QCOMPARE(ellipse->nodes[3].color, color_white);
        QCOMPARE(ellipse->hint, QStringLiteral("Drag to move object (crop mode)"));
        program.click(drawing, QPoint(120, 115));
        QCOMPARE(ellipse->edit_mode, EditMode::Resize);
        QCOMPARE(ellipse->nodes[3].color, color_black);

        // A click on a node cycles the mode too; the outline it showed is gone.
        program.click(drawing, QPoint(ellipse->nodes[3].left + 2, ellipse->nodes[3].top + 2));
        QCOMPARE(ellipse->edit_mode, EditMode::Rotate);
        QVERIFY(drawing->panel->layer.isEmpty());

        // The empty panel deselects.
        program.click(drawing, QPoint(300, 250));
        QCOMPARE(drawing->current_shape, nullptr);
        QVERIFY(!ellipse->nodes[0].visible);
        QCOMPARE(program.main->status_panel(1), QString());
        QCOMPARE(program.main->object_names_combo->currentIndex(), -1);
    }

    void a_click_through_transparent_pixels_hits_the_object_below()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* below = program.draw_rectangle(drawing, QRect(90, 90, 30, 30));
        program.draw_ellipse(drawing, QRect(85, 85, 60, 60));
        program.click(drawing, QPoint(92, 92));
        QCOMPARE(drawing->current_shape, below);
    }

    void right_click_selects_and_opens_the_popup()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_rectangle(drawing, QRect(50, 50, 30, 30));
        program.click(drawing, QPoint(60, 60), Qt::RightButton);
        QCOMPARE(drawing->current_shape, shape);
        QCOMPARE(shape->edit_mode, EditMode::Resize);
        QVERIFY(shape->nodes[0].visible);
        QVERIFY(drawing->shape_popup->isVisible());
        QStringList captions;
        for (QAction* action : drawing->shape_popup->actions())
            captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(captions, QStringList({"&Properties", "Set &Morphology", "Round Ed&ges...", "-", "&Bring to Front",
                                        "&Send to Back", "One &Up", "One &Down", "-", "&Cut", "Co&py", "D&elete", "-",
                                        "Mo&ve", "&Resize", "Cr&op", "Ro&tate", "-", "&Adjust Edges"}));
        drawing->shape_popup->hide();
    }

    void zorder_commands_restack_the_objects()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* a = program.draw_rectangle(drawing, QRect(10, 10, 20, 20));
        Shape* b = program.draw_rectangle(drawing, QRect(40, 10, 20, 20));
        Shape* c = program.draw_rectangle(drawing, QRect(70, 10, 20, 20));
        drawing->modified = 0;

        drawing->select_shape(a);
        drawing->bring_to_front();
        QCOMPARE(drawing->shapes, QList<Shape*>({b, c, a}));
        QCOMPARE(program.main->object_names_combo->currentIndex(), 2);
        QCOMPARE(program.main->object_names_combo->itemText(0), b->name);

        drawing->send_to_back();
        QCOMPARE(drawing->shapes, QList<Shape*>({a, b, c}));

        drawing->select_shape(b);
        drawing->move_one_down();
        QCOMPARE(drawing->shapes, QList<Shape*>({b, a, c}));
        drawing->move_one_down();
        QCOMPARE(drawing->shapes, QList<Shape*>({b, a, c}));

        drawing->select_shape(a);
        drawing->move_one_up();
        QCOMPARE(drawing->shapes, QList<Shape*>({b, c, a}));
        drawing->move_one_up();
        QCOMPARE(drawing->shapes, QList<Shape*>({b, c, a}));
        QCOMPARE(drawing->modified, std::uint8_t(0));

        // The one in front is painted last, over the others.
        Shape* front = program.draw_rectangle(drawing, QRect(15, 15, 10, 10));
        Q_UNUSED(front);
        drawing->select_shape(a);
        drawing->bring_to_front();
        const QImage picture = drawing->panel->grab().toImage();
        QCOMPARE(picture.pixelColor(20, 20), to_qcolor(Configuration.object_color));
        QCOMPARE(picture.pixelColor(10, 20), QColor(Qt::black));
    }

    void tab_selects_the_next_object_and_wraps()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* a = program.draw_rectangle(drawing, QRect(10, 10, 20, 20));
        program.draw_rectangle(drawing, QRect(40, 10, 20, 20));
        Shape* c = program.draw_rectangle(drawing, QRect(70, 10, 20, 20));
        program.key(drawing, Qt::Key_Tab);
        QCOMPARE(drawing->current_shape, a);
        QCOMPARE(a->edit_mode, EditMode::Resize);
        drawing->select_shape(c);
        program.key(drawing, Qt::Key_Tab);
        QCOMPARE(drawing->current_shape, a);
        QVERIFY(a->nodes[0].visible);
    }

    void delete_removes_the_current_object()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        program.draw_rectangle(drawing, QRect(10, 10, 20, 20));
        Shape* b = program.draw_rectangle(drawing, QRect(40, 10, 20, 20));
        drawing->modified = 0;
        program.click(drawing, QPoint(50, 20));
        QCOMPARE(drawing->current_shape, b);
        program.key(drawing, Qt::Key_Delete);
        QCOMPARE(drawing->current_shape, nullptr);
        QCOMPARE(names(drawing), QStringList({QStringLiteral("shape1")}));
        QCOMPARE(program.main->object_names_combo->count(), 1);
        QCOMPARE(program.main->status_panel(1), QString());
        QCOMPARE(drawing->modified, std::uint8_t(1));

        // The main window's delete command does the same.
        program.click(drawing, QPoint(20, 20));
        QVERIFY(program.main->delete_action->isEnabled());
        program.main->delete_action->trigger();
        QVERIFY(drawing->shapes.isEmpty());
    }
};

QTEST_MAIN(TestSelection)
#include "test_selection.moc"

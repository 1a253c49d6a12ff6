// Scrolling and zooming a drawing window: every part of a large panel can be
// reached, the tools land on the panel pixels under the mouse at any zoom,
// the object popup opens from the keyboard, and a rotate drag turns only
// the outline.
#include "app/main_window.h"
#include "core/configuration.h"
#include "core/shape.h"
#include "document/drawing_window.h"
#include "document/drawing_panel.h"
#include "document/panel_view.h"
#include "support/program.h"
#include <QApplication>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

namespace {

DrawingWindow* new_drawing_of(Program& program, int width_px, int height_px)
{
    program.ui.modal_answers.prepend(Program::panel_answer(width_px, height_px));
    program.main->new_action->trigger();
    return program.main->active_drawing();
}

void scroll_to_far_corner(DrawingWindow* drawing)
{
    for (QScrollBar* bar : {drawing->view->horizontalScrollBar(), drawing->view->verticalScrollBar()})
        bar->setValue(bar->maximum());
}

QString zoom_shown(Program& program)
{
    program.main->idle_update();
    return program.main->status_panel(2);
}

void ctrl_wheel(DrawingWindow* drawing, QPoint at_viewport, int notches)
{
    QWidget* viewport = drawing->view->viewport();
    QWheelEvent wheel(at_viewport, viewport->mapToGlobal(at_viewport), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &wheel);
}

// The panel pixel shown at a viewport position.
QPoint pixel_at(DrawingWindow* drawing, QPoint at_viewport)
{
    return drawing->panel->to_panel(drawing->panel->mapFrom(drawing->view->viewport(), at_viewport));
}

} // namespace

class TestZoom : public QObject {
    Q_OBJECT
private slots:
    void the_far_corner_is_reached_by_scrolling_and_every_zoom_command()
    {
        Program program;
        MainWindow& main = *program.main;
        DrawingWindow* drawing = new_drawing_of(program, 2000, 1500);
        QCOMPARE(drawing->panel->pixel_size(), QSize(2000, 1500));
        QVERIFY(!drawing->visible_area().contains(QPoint(1999, 1499)));

        scroll_to_far_corner(drawing);
        QVERIFY(drawing->visible_area().contains(QPoint(1999, 1499)));
        Shape* shape = program.draw_rectangle(drawing, QRect(1900, 1400, 81, 61));
        QVERIFY(shape);
        QCOMPARE(shape->bounds(), QRect(1900, 1400, 81, 61));
        QCOMPARE(zoom_shown(program), QStringLiteral("100%"));

        main.zoom_out_action->trigger();
        QCOMPARE(drawing->panel->zoom(), 0.5);
        QCOMPARE(drawing->panel->size(), QSize(1000, 750));
        QCOMPARE(zoom_shown(program), QStringLiteral("50%"));
        main.zoom_in_action->trigger();
        main.zoom_in_action->trigger();
        QCOMPARE(drawing->panel->size(), QSize(4000, 3000));
        QCOMPARE(zoom_shown(program), QStringLiteral("200%"));
        main.actual_size_action->trigger();
        QCOMPARE(drawing->panel->zoom(), 1.0);

        // Fit: the largest step at which the whole panel shows.
        main.zoom_to_fit_action->trigger();
        const QSize room = drawing->view->viewport()->size();
        QVERIFY(drawing->panel->width() <= room.width() && drawing->panel->height() <= room.height());
        QVERIFY(drawing->panel->width() * 2 > room.width() || drawing->panel->height() * 2 > room.height());
        QCOMPARE(drawing->visible_area(), QRect(0, 0, 2000, 1500));
        // The panel's own size stays what the drawing is.
        QCOMPARE(drawing->panel->pixel_size(), QSize(2000, 1500));

        // Ctrl+wheel zooms about the mouse: the pixel under it stays there.
        main.actual_size_action->trigger();
        for (QScrollBar* bar : {drawing->view->horizontalScrollBar(), drawing->view->verticalScrollBar()})
            bar->setValue(bar->maximum() / 2);
        const QPoint mouse = drawing->view->viewport()->rect().center();
        const QPoint under = pixel_at(drawing, mouse);
        ctrl_wheel(drawing, mouse, 1);
        QCOMPARE(drawing->panel->zoom(), 2.0);
        QCOMPARE(pixel_at(drawing, mouse), under);
        ctrl_wheel(drawing, mouse, -2);
        QCOMPARE(drawing->panel->zoom(), 0.5);
        QVERIFY((pixel_at(drawing, mouse) - under).manhattanLength() <= 2);

        // Steps end at 1/16 and 16.
        for (int i = 0; i < 6; ++i) main.zoom_out_action->trigger();
        QCOMPARE(drawing->panel->zoom(), 1.0 / 16);
        QCOMPARE(zoom_shown(program), QStringLiteral("6.25%"));
        QVERIFY(!main.zoom_out_action->isEnabled());
    }

    void tools_nodes_and_clicks_land_on_the_pixels_under_the_mouse_at_half_and_double_size()
    {
        Program program;
        MainWindow& main = *program.main;
        DrawingWindow* drawing = new_drawing_of(program, 2000, 1500);
        for (const double zoom : {0.5, 2.0}) {
            main.actual_size_action->trigger();
            (zoom < 1 ? main.zoom_out_action : main.zoom_in_action)->trigger();
            QCOMPARE(drawing->panel->zoom(), zoom);
            scroll_to_far_corner(drawing);

            // Even corners, so that half size shows each of them.
            Shape* shape = program.draw_rectangle(drawing, QRect(1900, 1400, 81, 61));
            QVERIFY(shape);
            QCOMPARE(shape->bounds(), QRect(1900, 1400, 81, 61));

            program.click(drawing, QPoint(1940, 1430));
            QCOMPARE(drawing->current_shape, shape);
            QVERIFY(shape->nodes[3].visible);
            // The bottom-right node, on the object's corner pixel, is dragged.
            program.drag(drawing, QPoint(1980, 1460), QPoint(1990, 1470));
            shape = drawing->shapes.constLast();
            QCOMPARE(shape->bounds(), QRect(1900, 1400, 91, 71));
            QCOMPARE(main.status_panel(1), QStringLiteral("(x,y)=(1900,1400) (w,h)=(91,71)"));

            // A click beside the object deselects it.
            program.click(drawing, QPoint(1896, 1430));
            QCOMPARE(drawing->current_shape, nullptr);
            program.click(drawing, QPoint(1940, 1430));
            program.key(drawing, Qt::Key_Delete);
            QVERIFY(drawing->shapes.isEmpty());
        }
    }

    void shift_f10_and_the_menu_key_open_the_object_popup_at_the_object()
    {
        Program program;
        DrawingWindow* drawing = new_drawing_of(program, 2000, 1500);
        Shape* shape = program.draw_rectangle(drawing, QRect(10, 8, 50, 40));
        QWidget* focused = QApplication::focusWidget();
        QCOMPARE(focused, drawing);

        // Nothing selected: no popup.
        QTest::keyClick(focused, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(!drawing->shape_popup->isVisible());

        program.key(drawing, Qt::Key_Tab);
        QCOMPARE(drawing->current_shape, shape);
        program.main->zoom_in_action->trigger();
        drawing->view->horizontalScrollBar()->setValue(0);
        drawing->view->verticalScrollBar()->setValue(0);
        QTest::keyClick(focused, Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(drawing->shape_popup->isVisible());
        const QPoint corner = drawing->panel->mapToGlobal(QPoint(20, 16));
        QCOMPARE(drawing->shape_popup->pos(), corner);
        drawing->shape_popup->hide();

        // Scrolled away from the object, the popup opens at the window's
        // nearest corner to it.
        scroll_to_far_corner(drawing);
        QTest::keyClick(focused, Qt::Key_Menu);
        QTRY_VERIFY(drawing->shape_popup->isVisible());
        QCOMPARE(drawing->shape_popup->pos(), drawing->view->viewport()->mapToGlobal(QPoint(0, 0)));
        drawing->shape_popup->hide();
    }

    void a_rotate_drag_turns_the_outline_and_keeps_every_object_painted()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* turned = program.draw_rectangle(drawing, QRect(60, 60, 40, 40));
        program.draw_rectangle(drawing, QRect(200, 150, 40, 40));
        program.click(drawing, QPoint(80, 80));
        program.click(drawing, QPoint(80, 80));
        QCOMPARE(turned->edit_mode, EditMode::Rotate);
        program.press(drawing, QPoint(99, 99));
        program.move(drawing, QPoint(100, 110));
        program.move(drawing, QPoint(90, 115));
        QVERIFY(drawing->drag().rotating());
        QVERIFY(!drawing->panel->layer.isEmpty());

        const QImage shown = drawing->panel->grab().toImage();
        const QColor body = to_qcolor(Configuration.object_color);
        QCOMPARE(shown.pixelColor(80, 80), body);
        QCOMPARE(shown.pixelColor(220, 170), body);
        program.release(drawing, QPoint(90, 115));
    }

    void the_area_round_a_small_panel_is_grey()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        qobject_cast<QMdiSubWindow*>(drawing->parentWidget())->showMaximized();
        QTRY_VERIFY(drawing->panel->x() > 0);
        const QImage window = drawing->grab().toImage();
        QCOMPARE(window.pixelColor(1, 1), QColor(0x80, 0x80, 0x80));
        QCOMPARE(window.pixelColor(drawing->panel->x() + 1, drawing->panel->y() + 1),
                 to_qcolor(Configuration.background_color));
    }
};

QTEST_MAIN(TestZoom)
#include "test_zoom.moc"

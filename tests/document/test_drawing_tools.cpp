// Drawing objects with the four tools, driven through the panel as a user
// would, with the resulting pixels checked.
#include "core/configuration.h"
#include "core/raster.h"
#include "core/shape.h"
#include "document/drawing_window.h"
#include "support/program.h"
#include <QSet>
#include <QTest>

namespace {

QSet<StoredColor> colours_of(const QImage& image)
{
    QSet<StoredColor> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) colours << pixel_color(image, x, y);
    return colours;
}

// How many pixels of the panel, as shown, differ from the background along
// a row or a column: the rubber band is drawn over plain background.
int changed_along(const QImage& shown, QPoint from, QPoint to)
{
    const QColor background = to_qcolor(Configuration.background_color);
    int changed = 0;
    for (int y = from.y(); y <= to.y(); ++y)
        for (int x = from.x(); x <= to.x(); ++x) changed += shown.pixelColor(x, y) != background;
    return changed;
}

} // namespace

class TestDrawingTools : public QObject {
    Q_OBJECT
private slots:
    void rectangle_drag_creates_an_object_with_a_black_edge()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_rectangle(drawing, QRect(QPoint(10, 20), QPoint(19, 24)));
        QVERIFY(shape);
        QCOMPARE(shape->name, QStringLiteral("shape1"));
        QCOMPARE(shape->bounds(), QRect(10, 20, 10, 5));
        QCOMPARE(shape->buffer.size(), QSize(10, 5));
        const StoredColor fill = Configuration.object_color;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 10; ++x) {
                const bool edge = x == 0 || x == 9 || y == 0 || y == 4;
                QCOMPARE(pixel_color(shape->buffer, x, y), edge ? color_black : fill);
            }
        QVERIFY(drawing->panel->layer.isEmpty());
        QCOMPARE(drawing->modified, std::uint8_t(1));
    }

    void the_rubber_band_pen_follows_the_tool()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_rectangle(drawing, QRect(60, 60, 21, 21));
        program.click(drawing, QPoint(70, 70));
        program.click(drawing, QPoint(70, 70));
        QCOMPARE(shape->edit_mode, EditMode::Rotate);
        // A press on a rotate node shows a dotted outline, and must leave it behind.
        const QPoint node(shape->nodes[3].left + 3, shape->nodes[3].top + 3);
        program.click(drawing, node);

        // Rectangle: a solid line 2 pixels wide.
        program.choose_tool(program.main->tool_action(DrawingTool::Rectangle));
        program.press(drawing, QPoint(150, 150));
        program.move(drawing, QPoint(200, 180));
        program.move(drawing, QPoint(250, 200));
        QImage shown = drawing->panel->grab().toImage();
        QCOMPARE(changed_along(shown, QPoint(155, 150), QPoint(245, 150)), 91);
        QCOMPARE(changed_along(shown, QPoint(200, 145), QPoint(200, 155)), 2);
        program.release(drawing, QPoint(250, 200));

        // Polygon: a dotted line 1 pixel wide.
        program.choose_tool(program.main->tool_action(DrawingTool::Polygon));
        program.click(drawing, QPoint(20, 250));
        program.move(drawing, QPoint(120, 250));
        shown = drawing->panel->grab().toImage();
        const int dots = changed_along(shown, QPoint(25, 250), QPoint(115, 250));
        QVERIFY2(dots > 10 && dots < 80, qPrintable(QString::number(dots)));
        QVERIFY(changed_along(shown, QPoint(70, 245), QPoint(70, 255)) <= 1);
    }

    void a_two_by_two_drag_creates_and_a_click_does_not()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        program.choose_tool(program.main->tool_action(DrawingTool::Rectangle));
        program.click(drawing, QPoint(50, 50));
        program.click(drawing, QPoint(50, 50));
        QVERIFY(drawing->shapes.isEmpty());
        program.drag(drawing, QPoint(60, 60), QPoint(61, 61));
        QCOMPARE(drawing->shapes.size(), 1);
        QCOMPARE(drawing->shapes[0]->bounds(), QRect(60, 60, 2, 2));
    }

    void dragging_up_and_left_normalises_the_outline()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_rectangle(drawing, QRect(QPoint(40, 30), QPoint(20, 10)));
        QVERIFY(shape);
        QCOMPARE(shape->bounds(), QRect(QPoint(20, 10), QPoint(40, 30)));

        // A first step that passes both edges at once keeps the start corner
        // anchored.
        program.choose_tool(program.main->tool_action(DrawingTool::Rectangle));
        program.press(drawing, QPoint(140, 130));
        program.move(drawing, QPoint(139, 129));
        program.move(drawing, QPoint(120, 110));
        program.release(drawing, QPoint(120, 110));
        QCOMPARE(drawing->shapes.constLast()->bounds(), QRect(QPoint(120, 110), QPoint(140, 130)));
    }

    void ellipse_corners_stay_background()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_ellipse(drawing, QRect(QPoint(100, 100), QPoint(129, 119)));
        QVERIFY(shape);
        QCOMPARE(shape->bounds(), QRect(100, 100, 30, 20));
        const StoredColor background = Configuration.background_color;
        QCOMPARE(pixel_color(shape->buffer, 0, 0), background);
        QCOMPARE(pixel_color(shape->buffer, 29, 19), background);
        QCOMPARE(pixel_color(shape->buffer, 15, 10), Configuration.object_color);
        // The figure touches every side of its buffer.
        QCOMPARE(pixel_color(shape->buffer, 0, 10), color_black);
        QCOMPARE(pixel_color(shape->buffer, 29, 10), color_black);
        QCOMPARE(pixel_color(shape->buffer, 15, 0), color_black);
        QCOMPARE(pixel_color(shape->buffer, 15, 19), color_black);
        QCOMPARE(colours_of(shape->buffer), QSet<StoredColor>({background, color_black, Configuration.object_color}));
    }

    void an_ellipse_is_previewed_as_the_ellipse_it_makes()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        program.choose_tool(program.main->tool_action(DrawingTool::Ellipse));
        program.press(drawing, QPoint(100, 100));
        program.move(drawing, QPoint(150, 130));
        program.move(drawing, QPoint(200, 160));
        const QImage shown = drawing->panel->grab().toImage();
        // The frame's corners stay background; the middles of its sides are drawn.
        QCOMPARE(changed_along(shown, QPoint(100, 100), QPoint(104, 104)), 0);
        QCOMPARE(changed_along(shown, QPoint(196, 156), QPoint(200, 160)), 0);
        QVERIFY(changed_along(shown, QPoint(150, 98), QPoint(150, 102)) > 0);
        QVERIFY(changed_along(shown, QPoint(98, 130), QPoint(102, 130)) > 0);
        program.release(drawing, QPoint(200, 160));
        QVERIFY(drawing->panel->layer.isEmpty());
        QCOMPARE(drawing->shapes.size(), 1);
    }

    void polygon_of_three_clicks_closed_with_the_right_button()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        program.choose_tool(program.main->tool_action(DrawingTool::Polygon));
        program.click(drawing, QPoint(10, 10));
        program.move(drawing, QPoint(30, 12));
        QVERIFY(!drawing->panel->layer.isEmpty());
        program.click(drawing, QPoint(50, 10));
        program.click(drawing, QPoint(30, 40));
        QCOMPARE(drawing->polygon_entry().vertices(), QPolygon({QPoint(10, 10), QPoint(50, 10), QPoint(30, 40)}));
        program.click(drawing, QPoint(30, 40), Qt::RightButton);
        QCOMPARE(drawing->shapes.size(), 1);
        Shape* shape = drawing->shapes[0];
        QCOMPARE(shape->bounds(), QRect(10, 10, 41, 31));
        QCOMPARE(pixel_color(shape->buffer, 0, 0), color_black);  // every vertex is painted
        QCOMPARE(pixel_color(shape->buffer, 40, 0), color_black);
        QCOMPARE(pixel_color(shape->buffer, 20, 30), color_black);
        QCOMPARE(pixel_color(shape->buffer, 20, 10), Configuration.object_color);
        QCOMPARE(pixel_color(shape->buffer, 0, 30), Configuration.background_color);
        QVERIFY(drawing->polygon_entry().vertices().isEmpty());
        QVERIFY(drawing->panel->layer.isEmpty());
    }

    void polygon_of_two_clicks_creates_nothing_and_leaves_no_lines()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        program.choose_tool(program.main->tool_action(DrawingTool::Polygon));
        program.click(drawing, QPoint(10, 10));
        program.move(drawing, QPoint(40, 40));
        program.click(drawing, QPoint(40, 40));
        program.click(drawing, QPoint(40, 40), Qt::RightButton);
        QVERIFY(drawing->shapes.isEmpty());
        QVERIFY(drawing->panel->layer.isEmpty());
        QVERIFY(drawing->polygon_entry().vertices().isEmpty());
    }

    void delete_key_abandons_a_polygon()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        program.choose_tool(program.main->tool_action(DrawingTool::Polygon));
        program.click(drawing, QPoint(10, 10));
        program.click(drawing, QPoint(40, 10));
        program.key(drawing, Qt::Key_Delete);
        QVERIFY(drawing->polygon_entry().vertices().isEmpty());
        QVERIFY(drawing->panel->layer.isEmpty());
    }

    void typing_a_text_with_left_and_backspace()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        program.choose_tool(program.main->tool_action(DrawingTool::Text));
        program.click(drawing, QPoint(20, 30));
        QVERIFY(drawing->text_entry().is_typing());
        QVERIFY(drawing->panel->has_caret());
        program.type(drawing, QStringLiteral("ab"));
        program.key(drawing, Qt::Key_Left);
        program.key(drawing, Qt::Key_Backspace);
        QCOMPARE(drawing->text_entry().text(), QStringLiteral("b"));
        QCOMPARE(drawing->text_entry().caret_index(), 1);
        QCOMPARE(drawing->panel->caret_rect().topLeft(), QPoint(20, 30));

        program.type(drawing, QStringLiteral("Hi"));
        QCOMPARE(drawing->text_entry().text(), QStringLiteral("Hib"));
        program.click(drawing, QPoint(300, 300));
        QVERIFY(!drawing->text_entry().is_typing());
        QVERIFY(!drawing->panel->has_caret());
        QCOMPARE(drawing->shapes.size(), 1);
        Shape* shape = drawing->shapes[0];
        QCOMPARE(QPoint(shape->left, shape->top), QPoint(20, 30));
        const QFontMetrics metrics(drawing->panel->font);
        QCOMPARE(shape->width, metrics.horizontalAdvance(QStringLiteral("Hib")));
        QCOMPARE(shape->height, metrics.height());
        const QSet<StoredColor> colours = colours_of(shape->buffer);
        QVERIFY(colours.contains(color_black));
        QVERIFY(colours.contains(Configuration.object_color));
        QCOMPARE(colours - QSet<StoredColor>({Configuration.background_color, color_black, Configuration.object_color}),
                 QSet<StoredColor>());
    }

    void an_empty_text_creates_nothing()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        program.choose_tool(program.main->tool_action(DrawingTool::Text));
        program.click(drawing, QPoint(20, 30));
        program.type(drawing, QStringLiteral("x"));
        program.key(drawing, Qt::Key_Backspace);
        program.click(drawing, QPoint(20, 30));
        QVERIFY(drawing->shapes.isEmpty());
        QVERIFY(!drawing->text_entry().is_typing());
    }

    void objects_are_named_after_the_largest_number()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        program.draw_rectangle(drawing, QRect(10, 10, 20, 20));
        Shape* second = program.draw_rectangle(drawing, QRect(40, 10, 20, 20));
        drawing->rename_shape(second, QStringLiteral("shape7"));
        Shape* third = program.draw_rectangle(drawing, QRect(70, 10, 20, 20));
        QCOMPARE(third->name, QStringLiteral("shape8"));
    }
};

QTEST_MAIN(TestDrawingTools)
#include "test_drawing_tools.moc"

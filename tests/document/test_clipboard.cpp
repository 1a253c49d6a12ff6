// Cut, copy and paste of objects through the clipboard, within a drawing,
// between drawings, and against data the program did not put there.
#include "app/main_window.h"
#include "core/configuration.h"
#include "core/raster.h"
#include "core/shape.h"
#include "core/silhouette.h"
#include "document/drawing_window.h"
#include "files/clipboard_block.h"
#include "support/program.h"
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>

namespace {

const QClipboard& clipboard()
{
    return *QGuiApplication::clipboard();
}

void select(Program& program, DrawingWindow* drawing, Shape* shape)
{
    program.click(drawing, shape->bounds().center());
    QCOMPARE(drawing->current_shape, shape);
}

} // namespace

class TestClipboard : public QObject {
    Q_OBJECT
private slots:
    void copy_and_paste_within_and_between_drawings()
    {
        Program program;
        MainWindow& main = *program.main;
        DrawingWindow* first = program.new_drawing();
        Shape* shape = program.draw_ellipse(first, QRect(30, 40, 50, 24));
        shape->morphology.flat_surface = 0;
        shape->morphology.bitmap_file = "map.bmp";
        shape->morphology.max_color_height = 33;
        first->modified = 0;

        // Without a current object, Copy leaves the clipboard alone.
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        main.copy_action->trigger();
        QCOMPARE(clipboard().text(), QStringLiteral("kept"));

        select(program, first, shape);
        main.copy_action->trigger();
        const QStringList formats = clipboard().mimeData()->formats();
        QCOMPARE(formats.value(0), clipboard_format_name);
        QVERIFY(formats.contains(clipboard_format_alias));
        QVERIFY(formats.contains(QStringLiteral("application/x-qt-image")));
        const QImage image = clipboard().image();
        QCOMPARE(image.size(), QSize(50, 24));
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
        QCOMPARE(image.pixelColor(25, 12), QColor(Qt::black));

        main.paste_action->trigger();
        QCOMPARE(first->shape_names(), QStringList({"shape1", "shape2"}));
        Shape* pasted = first->shapes.last();
        QCOMPARE(pasted->bounds(), QRect(0, 0, 50, 24));
        QCOMPARE(pasted->buffer.convertToFormat(QImage::Format_RGB888), shape->buffer);
        QCOMPARE(pasted->morphology, shape->morphology);
        QCOMPARE(first->current_shape, shape); // the paste selects nothing
        QCOMPARE(first->history.undo_list.size(), size_t(0));
        QCOMPARE(first->modified, 1); // so closing asks before the pasted object is lost

        // Another drawing with no object of that name keeps the name.
        DrawingWindow* second = program.new_drawing();
        main.paste_action->trigger();
        QCOMPARE(second->shape_names(), QStringList{"shape1"});
        QCOMPARE(second->shapes[0]->bounds(), QRect(0, 0, 50, 24));
    }

    void cut_deletes_undoably_and_keeps_the_object_on_the_clipboard()
    {
        Program program;
        MainWindow& main = *program.main;
        DrawingWindow* drawing = program.new_drawing();
        program.draw_rectangle(drawing, QRect(10, 10, 20, 20));
        Shape* shape = program.draw_rectangle(drawing, QRect(50, 50, 30, 10));
        select(program, drawing, shape);
        main.cut_action->trigger();
        QCOMPARE(drawing->shape_names(), QStringList{"shape1"});
        QCOMPARE(drawing->history.undo_list.front()->caption, QStringLiteral("Delete Object"));
        main.undo_action->trigger();
        QCOMPARE(drawing->shape_names(), QStringList({"shape1", "shape2"}));

        // The popup's Cut and Copy act the same way.
        main.paste_action->trigger();
        QCOMPARE(drawing->shape_names(), QStringList({"shape1", "shape2", "shape3"}));
        select(program, drawing, drawing->shapes[0]);
        drawing->copy_action->trigger();
        QVERIFY(read_clipboard_block(clipboard().mimeData()->data(clipboard_format_name))->record.name == "shape1");
        drawing->cut_action->trigger();
        QCOMPARE(drawing->shape_names(), QStringList({"shape2", "shape3"}));
    }

    void foreign_or_short_data_is_refused()
    {
        Program program;
        MainWindow& main = *program.main;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_rectangle(drawing, QRect(10, 10, 20, 20));
        const QByteArray block = clipboard_block(*shape, Configuration.background_color);

        QGuiApplication::clipboard()->setText(QStringLiteral("not an object"));
        main.paste_action->trigger();
        QGuiApplication::clipboard()->clear();
        main.paste_action->trigger();

        // The private format after another one, and cut short.
        auto* late = new QMimeData;
        late->setText(QStringLiteral("first"));
        late->setData(clipboard_format_name, block);
        QGuiApplication::clipboard()->setMimeData(late);
        main.paste_action->trigger();
        for (const qsizetype length : {qsizetype(0), qsizetype(355), block.size() - 1}) {
            auto* cut_short = new QMimeData;
            cut_short->setData(clipboard_format_name, block.left(length));
            QGuiApplication::clipboard()->setMimeData(cut_short);
            main.paste_action->trigger();
        }
        QCOMPARE(program.ui.message_texts(), QStringList(6, QStringLiteral("Invalid data format.")));
        QCOMPARE(program.ui.messages[0].kind, MessageKind::Error);
        QCOMPARE(program.ui.beeps, 6);
        QCOMPARE(drawing->shapes.size(), 1);

        // A block with bytes after its image, from another program, pastes.
        auto* padded = new QMimeData;
        padded->setData(clipboard_format_alias, block + QByteArray(13, '\0'));
        QGuiApplication::clipboard()->setMimeData(padded);
        main.paste_action->trigger();
        QCOMPARE(drawing->shapes.size(), 2);
    }

    void a_pasted_object_takes_the_colours_of_the_moment()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_rectangle(drawing, QRect(10, 10, 20, 20));
        select(program, drawing, shape);
        drawing->copy_shape();
        Configuration.background_color = 0x00FF00;
        Configuration.object_color = 0x0000FF;
        drawing->paste_shape();
        const QImage& pixels = drawing->shapes.last()->buffer;
        QCOMPARE(pixel_color(pixels, 0, 0), color_black);
        QCOMPARE(pixel_color(pixels, 10, 10), StoredColor(0x0000FF));
    }
};

QTEST_MAIN(TestClipboard)
#include "test_clipboard.moc"

// No way of making or changing an object leaves one that a drawing file
// could not hold, and work is never lost to a damaged file or a failed save.
#include "core/object_size.h"
#include "core/shape.h"
#include "dialogs/resize_dialog.h"
#include "document/drawing_window.h"
#include "files/drawing_format.h"
#include "platform/guard.h"
#include "support/program.h"
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cmath>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void save_as(Program& program, const QString& path)
{
    program.ui.file_answers.enqueue(path);
    program.main->save_as_action->trigger();
}

} // namespace

class TestObjectSize : public QObject {
    Q_OBJECT
private slots:
    void init() { QFile::remove(qEnvironmentVariable("DIORAMIX_REGISTRY")); }

    void oversized_results_are_refused_with_a_message_and_change_nothing()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_rectangle(drawing, QRect(20, 30, 40, 20));
        program.click(drawing, QPoint(30, 40));
        const auto refused = [&](const std::function<void()>& change, const QString& size) {
            program.ui.messages.clear();
            run_guarded(change);
            QCOMPARE(program.ui.messages.size(), 1);
            QVERIFY2(program.ui.messages[0].text.contains(size), qPrintable(program.ui.messages[0].text));
            QCOMPARE(program.ui.messages[0].kind, MessageKind::Error);
        };

        // The Resize dialog takes any number; the drawing refuses it.
        program.ui.modal_answers.enqueue([](QDialog& dialog) {
            auto& form = static_cast<ResizeDialog&>(dialog);
            form.width_box->setText(QStringLiteral("40000"));
            form.take_width();
            form.ok_button->click();
            return form.result();
        });
        program.ui.messages.clear();
        drawing->resize_action->trigger();
        QCOMPARE(program.ui.messages.size(), 1);
        QVERIFY(program.ui.messages[0].text.contains(QStringLiteral("40000 x 20")));
        refused([&] { drawing->crop_shape(shape, -40000, 0, 0, 0); }, QStringLiteral("40040 x 20"));
        QCOMPARE(shape->bounds(), QRect(20, 30, 40, 20));

        // Turned by 45 degrees, a long thin object no longer fits.
        QVERIFY(drawing->resize_shape(shape, 30000, 100));
        const std::size_t entries = drawing->history.undo_list.size();
        const double half = std::sqrt(0.5);
        refused([&] { drawing->rotate_shape(shape, 1, 1, half, half); }, QStringLiteral("pixels in all"));
        QCOMPARE(shape->bounds(), QRect(20, 30, 30000, 100));
        QCOMPARE(drawing->history.undo_list.size(), entries);

        // A drawing at its budget takes no new object, nor a larger one.
        shape->set_bounds(20, 30, 16384, 16384);
        refused([&] { program.draw_rectangle(drawing, QRect(100, 100, 10, 10)); }, QStringLiteral("268435556"));
        QCOMPARE(drawing->shapes.size(), 1);
        shape->set_bounds(20, 30, 30000, 100);
    }

    void a_text_without_a_visible_pixel_makes_no_object()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        drawing->modified = 0;
        program.choose_tool(program.main->tool_action(DrawingTool::Text));
        for (const QString& text : {QStringLiteral("\u200B\u200B"), QStringLiteral("   ")}) {
            program.click(drawing, QPoint(20, 30));
            for (const QChar c : text) {
                QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                QCoreApplication::sendEvent(drawing, &press);
            }
            QCOMPARE(drawing->text_entry().text(), text);
            program.click(drawing, QPoint(200, 200));
            QVERIFY(!drawing->text_entry().is_typing());
            QVERIFY(drawing->shapes.isEmpty());
            QCOMPARE(drawing->modified, 0);
        }
    }

    void a_damaged_file_is_saved_only_where_the_user_says()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("damaged.sdf"));
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        program.draw_rectangle(drawing, QRect(10, 10, 30, 30));
        program.draw_rectangle(drawing, QRect(50, 50, 30, 30));
        save_as(program, path);
        program.main->close_action->trigger();
        QByteArray bytes = contents(path);
        const qsizetype second = 20 + 356 + qFromLittleEndian<std::int32_t>(bytes.constData() + 376 + 2);
        qToLittleEndian<std::int32_t>(300, bytes.data() + second);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }

        program.ui.file_answers.enqueue(path);
        program.main->open_action->trigger();
        DrawingWindow* opened = program.main->active_drawing();
        QCOMPARE(program.ui.message_texts(), QStringList{"Error loading file."});
        QCOMPARE(opened->shapes.size(), 1);

        // A plain Save asks where; cancelled, the damaged file stays as it is.
        program.ui.file_dialog_titles.clear();
        program.ui.file_answers.enqueue(std::nullopt);
        program.main->save_action->trigger();
        QCOMPARE(program.ui.file_dialog_titles, QStringList{"Save Drawing"});
        QCOMPARE(contents(path), bytes);

        // Saved elsewhere, later Saves go there without asking.
        const QString mended = dir.filePath(QStringLiteral("mended.sdf"));
        program.ui.file_answers.enqueue(mended);
        program.main->save_action->trigger();
        QCOMPARE(opened->modified, 0);
        opened->modified = 1;
        program.main->save_action->trigger();
        QCOMPARE(program.ui.file_dialog_titles.size(), 2);
        QCOMPARE(contents(path), bytes);
        QVERIFY(QFile::exists(mended));
    }

    void a_save_refused_on_closing_keeps_the_window()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("never.sdf"));
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_rectangle(drawing, QRect(10, 10, 30, 30));
        // An object the file could not hold, as no command makes one.
        shape->set_bounds(10, 10, max_side_px + 1, 30);
        program.ui.message_answers.enqueue(MessageResult::Yes);
        program.ui.file_answers.enqueue(path);
        program.main->close_action->trigger();
        QCOMPARE(program.main->drawings().size(), 1);
        QVERIFY(!QFile::exists(path));
        QCOMPARE(program.ui.messages.size(), 2);
        QVERIFY(program.ui.messages[1].text.contains(QStringLiteral("32768 x 30")));
        shape->set_bounds(10, 10, 30, 30);
        drawing->modified = 0;
    }
};

QTEST_MAIN(TestObjectSize)
#include "test_object_size.moc"

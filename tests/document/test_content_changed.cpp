// Every change of a drawing's scene is announced once by content_changed,
// whichever way it comes.
#include "core/configuration.h"
#include "core/shape.h"
#include "document/drawing_window.h"
#include "support/program.h"
#include <QSignalSpy>
#include <QTest>
#include <functional>

class TestContentChanged : public QObject {
    Q_OBJECT
private slots:
    void each_kind_of_change_is_announced_once()
    {
        Program program;
        MainWindow& main = *program.main;
        DrawingWindow* drawing = program.new_drawing();
        QSignalSpy changes(drawing, &DrawingWindow::content_changed);
        Shape* shape = nullptr;
        const QList<std::pair<const char*, std::function<void()>>> steps = {
            {"draw", [&] { shape = program.draw_rectangle(drawing, QRect(10, 10, 40, 30)); }},
            {"move", [&] { drawing->move_shape(shape, 20, 20); }},
            {"resize", [&] { drawing->resize_shape(shape, 50, 40); }},
            {"rename", [&] { drawing->rename_shape(shape, QStringLiteral("box")); }},
            {"copy and paste", [&] {
                 drawing->select_shape(shape);
                 main.copy_action->trigger();
                 main.paste_action->trigger();
             }},
            {"restack", [&] { drawing->send_to_back(); }},
            {"undo", [&] { main.undo_action->trigger(); }},
            {"redo", [&] { main.redo_action->trigger(); }},
            {"recolour", [&] { main.recolor_active_drawing(Configuration.background_color, 0x123456); }},
            {"delete", [&] {
                 drawing->select_shape(drawing->shapes.last());
                 drawing->delete_shape();
             }},
        };
        for (const auto& [name, step] : steps) {
            changes.clear();
            step();
            QVERIFY2(changes.size() == 1, name);
        }
    }
};

QTEST_MAIN(TestContentChanged)
#include "test_content_changed.moc"

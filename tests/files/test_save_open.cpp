// Save, Save As, Open and the closing question's Yes, driven through the
// program's commands with scripted dialogs.
#include "app/file_history.h"
#include "app/main_window.h"
#include "app/preview_dock.h"
#include "core/object_size.h"
#include "core/configuration.h"
#include "core/panel_dimensions.h"
#include "core/raster.h"
#include "core/shape.h"
#include "document/drawing_window.h"
#include "files/drawing_format.h"
#include "files/drawing_writer.h"
#include "files/silhouette_bmp.h"
#include "support/full_disk.h"
#include "support/program.h"
#include <QFile>
#include <QDir>
#include <QMdiSubWindow>
#include <QToolButton>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <climits>
#include <cstring>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A drawing with two objects, the back one in bitmap mode.
DrawingWindow* two_object_drawing(Program& program)
{
    DrawingWindow* drawing = program.new_drawing();
    Shape* back = program.draw_rectangle(drawing, QRect(10, 10, 60, 40));
    program.draw_ellipse(drawing, QRect(40, 30, 50, 50));
    back->morphology.flat_surface = 0;
    back->morphology.bitmap_file = "hills.bmp";
    back->morphology.main_color = 3;
    back->morphology.clip_enabled = 1;
    back->morphology.clip_height = 7;
    return drawing;
}

// The bitmap two_object_drawing names, beside a drawing saved in `dir`:
// opening the drawing then has no unreadable bitmap to report.
void put_hills_beside(const QTemporaryDir& dir)
{
    QImage hills(8, 8, QImage::Format_RGB888);
    hills.fill(Qt::blue);
    QVERIFY(hills.save(dir.filePath(QStringLiteral("hills.bmp")), "BMP"));
}

DrawingWindow* open(Program& program, const QString& path)
{
    program.ui.file_answers.enqueue(path);
    program.main->open_action->trigger();
    return program.main->active_drawing();
}

} // namespace

class TestSaveOpen : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        // Each case starts with no settings and so an empty file history.
        QFile::remove(qEnvironmentVariable("DIORAMIX_REGISTRY"));
    }

    void a_saved_drawing_opens_as_it_was()
    {
        QTemporaryDir dir;
        put_hills_beside(dir);
        const QString path = dir.filePath(QStringLiteral("scene.sdf"));
        Program program;
        DrawingWindow* drawing = two_object_drawing(program);
        QVERIFY(drawing->modified);
        program.ui.file_answers.enqueue(path);
        program.main->save_action->trigger();
        QCOMPARE(program.ui.file_dialog_titles, QStringList{"Save Drawing"});
        QCOMPARE(drawing->windowTitle(), QStringLiteral("scene.sdf"));
        QCOMPARE(drawing->has_file, 1);
        QCOMPARE(drawing->modified, 0);
        QCOMPARE(program.main->drawing_names(), QStringList{path});
        QCOMPARE(program.main->file_history().paths().value(0), path);

        // A plain Save writes again without a question.
        const QByteArray first = contents(path);
        QCOMPARE(qFromLittleEndian<std::int32_t>(first.constData() + 16), 2);
        drawing->modified = 1;
        program.main->save_action->trigger();
        QCOMPARE(program.ui.file_dialog_titles.size(), 1);
        QCOMPARE(contents(path), first);
        QVERIFY(program.ui.messages.isEmpty());

        QList<QRect> bounds;
        QList<QImage> buffers;
        for (Shape* s : drawing->shapes) {
            bounds << s->bounds();
            buffers << s->buffer;
        }
        const Morphology morphology = drawing->shapes[0]->morphology;
        program.main->close_action->trigger();
        QVERIFY(program.main->drawings().isEmpty());

        PanelDimensions = PanelDimensionsRecord{1, 1, 1, 1};
        DrawingWindow* back = open(program, path);
        QVERIFY(back && back != drawing);
        QCOMPARE(back->windowTitle(), QStringLiteral("scene.sdf"));
        QCOMPARE(back->panel->size(), QSize(400, 300));
        QCOMPARE(back->panel->width_mm, 105);
        QCOMPARE(back->shape_names(), QStringList({"shape1", "shape2"}));
        QCOMPARE(back->shapes[0]->bounds(), bounds[0]);
        QCOMPARE(back->shapes[1]->bounds(), bounds[1]);
        QCOMPARE(back->shapes[0]->buffer.convertToFormat(QImage::Format_RGB888), buffers[0]);
        QCOMPARE(back->shapes[1]->buffer.convertToFormat(QImage::Format_RGB888), buffers[1]);
        QCOMPARE(back->shapes[0]->morphology, morphology);
        QCOMPARE(back->has_file, 1);
        QCOMPARE(back->modified, 0);
        QCOMPARE(back->current_shape, nullptr);
        QVERIFY(program.main->tool_button(DrawingTool::Pointer)->isChecked());

        // The same file again, and a file that is not there.
        QVERIFY(open(program, path) == back);
        QCOMPARE(program.ui.message_texts(), QStringList{"File already open."});
        QCOMPARE(program.ui.messages[0].kind, MessageKind::Information);
        open(program, dir.filePath(QStringLiteral("missing.sdf")));
        QCOMPARE(program.main->drawings().size(), 1);
        QCOMPARE(program.ui.messages.size(), 1);
    }

    void objects_come_back_in_the_colours_of_the_moment()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("colours.sdf"));
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        program.draw_rectangle(drawing, QRect(5, 5, 20, 10));
        program.ui.file_answers.enqueue(path);
        program.main->save_action->trigger();
        program.main->close_action->trigger();

        Configuration.background_color = 0x00FF00;
        Configuration.object_color = 0x0000FF;
        DrawingWindow* back = open(program, path);
        const QImage& pixels = back->shapes[0]->buffer;
        QCOMPARE(pixel_color(pixels, 0, 0), color_black);
        QCOMPARE(pixel_color(pixels, 5, 5), StoredColor(0x0000FF));
    }

    void save_as_asks_and_refuses_where_it_must()
    {
        QTemporaryDir dir;
        const QString mine = dir.filePath(QStringLiteral("mine.sdf"));
        const QString other = dir.filePath(QStringLiteral("other.sdf"));
        Program program;
        DrawingWindow* second = program.new_drawing();
        program.draw_rectangle(second, QRect(0, 0, 10, 10));
        program.ui.file_answers.enqueue(other);
        program.main->save_as_action->trigger();

        DrawingWindow* drawing = program.new_drawing();
        program.main->save_as_action->trigger(); // no objects yet
        QCOMPARE(program.ui.message_texts(), QStringList{"No objects in drawing. Action canceled."});
        QCOMPARE(program.ui.messages[0].kind, MessageKind::Plain);
        program.draw_rectangle(drawing, QRect(0, 0, 10, 10));
        program.ui.file_answers.enqueue(mine);
        program.main->save_as_action->trigger();
        program.ui.messages.clear();

        // Onto another open drawing's file: refused.
        drawing->modified = 1;
        program.ui.file_answers.enqueue(other);
        program.main->save_as_action->trigger();
        QCOMPARE(program.ui.message_texts(),
                 QStringList{"Another drawing with specified filename is open. Action canceled."});
        QCOMPARE(drawing->modified, 1);
        // Also through a symbolic link to it.
        const QString link = dir.filePath(QStringLiteral("link.sdf"));
        QVERIFY(QFile::link(other, link));
        program.ui.file_answers.enqueue(link);
        program.main->save_as_action->trigger();
        QCOMPARE(program.ui.messages.size(), 2);
        QCOMPARE(program.ui.messages[1].text, program.ui.messages[0].text);

        // Onto its own file: asks, No keeps it unsaved, Yes writes.
        program.ui.messages.clear();
        write(mine, "old");
        program.ui.file_answers.enqueue(mine);
        program.ui.message_answers.enqueue(MessageResult::No);
        program.main->save_as_action->trigger();
        QCOMPARE(program.ui.message_texts(), QStringList{"File already exists. Replace it?"});
        QCOMPARE(program.ui.messages[0].buttons, MessageButtons::YesNo);
        QCOMPARE(contents(mine), QByteArray("old"));
        QCOMPARE(drawing->modified, 1);
        program.ui.file_answers.enqueue(mine);
        program.ui.message_answers.enqueue(MessageResult::Yes);
        program.main->save_as_action->trigger();
        QVERIFY(contents(mine).size() > 376);
        QCOMPARE(drawing->modified, 0);

        // Save As under a new name: the caption, the name and the history follow.
        const QString renamed = dir.filePath(QStringLiteral("renamed.sdf"));
        program.ui.file_answers.enqueue(renamed);
        program.main->save_as_action->trigger();
        QCOMPARE(drawing->windowTitle(), QStringLiteral("renamed.sdf"));
        QCOMPARE(program.main->drawing_names(), QStringList({other, renamed}));
        QCOMPARE(program.main->file_history().paths(), QStringList({renamed, mine, other}));
    }

    void failed_saves_leave_the_old_file_and_the_drawing_unsaved()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kept.sdf"));
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        program.draw_rectangle(drawing, QRect(0, 0, 30, 30));
        program.ui.file_answers.enqueue(path);
        program.main->save_action->trigger();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        const QByteArray saved = contents(path);

        // Broken off at each step of the write: the platform's text, the old
        // file as it was, nothing left beside it.
        program.draw_rectangle(drawing, QRect(50, 50, 30, 30));
        using platform::WriteStep;
        for (const WriteStep step :
             {WriteStep::Write, WriteStep::Flush, WriteStep::Sync, WriteStep::Commit, WriteStep::SyncFolder}) {
            program.ui.messages.clear();
            platform::write_step_seam().replace([step](WriteStep now) { return now == step ? ENOSPC : 0; });
            program.main->save_action->trigger();
            platform::write_step_seam().replace({});
            QCOMPARE(contents(path), saved);
            QCOMPARE(drawing->modified, 1);
            QCOMPARE(program.ui.message_texts(), QStringList{QString::fromLocal8Bit(std::strerror(ENOSPC))});
            QCOMPARE(program.ui.messages[0].kind, MessageKind::Error);
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.sdf"});
        }
        program.ui.messages.clear();

        // A successful save keeps the file's permissions.
        program.main->save_action->trigger();
        QVERIFY(contents(path).size() > saved.size());
        QCOMPARE(QFile::permissions(path), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadUser
                                               | QFile::WriteUser);

        // A read-only file and a missing folder: nothing can be created.
        program.ui.messages.clear();
        drawing->modified = 1;
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
        const QByteArray read_only = contents(path);
        program.main->save_action->trigger();
        program.ui.file_answers.enqueue(dir.filePath(QStringLiteral("no/such/folder.sdf")));
        program.main->save_as_action->trigger();
        QCOMPARE(program.ui.message_texts(), QStringList({"Could not create file. Action canceled.",
                                                          "Could not create file. Action canceled."}));
        QCOMPARE(contents(path), read_only);
        QCOMPARE(drawing->modified, 1);
        QCOMPARE(program.main->drawing_names(), QStringList{path});
    }

    void a_full_disk_keeps_the_old_file_and_says_so()
    {
        FullDisk disk;
        if (!disk.mounted()) QSKIP(qPrintable(disk.why_not()));
        const QString path = disk.filePath(QStringLiteral("full.sdf"));
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        program.draw_rectangle(drawing, QRect(0, 0, 20, 20));
        program.ui.file_answers.enqueue(path);
        program.main->save_action->trigger();
        const QByteArray saved = contents(path);
        QVERIFY(!saved.isEmpty());

        QVERIFY(disk.fill());
        program.draw_rectangle(drawing, QRect(30, 30, 60, 60));
        program.main->save_action->trigger();
        QCOMPARE(program.ui.message_texts(), QStringList{QString::fromLocal8Bit(std::strerror(ENOSPC))});
        QCOMPARE(program.ui.messages[0].kind, MessageKind::Error);
        QCOMPARE(contents(path), saved);
        QCOMPARE(drawing->modified, 1);
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"filler", "full.sdf"}));
        drawing->modified = 0;
    }

    void closing_with_yes_saves_and_a_failed_save_keeps_the_window()
    {
        QTemporaryDir dir;
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        program.draw_rectangle(drawing, QRect(0, 0, 30, 30));
        QVERIFY(drawing->modified);
        program.ui.message_answers.enqueue(MessageResult::Yes);
        program.ui.file_answers.enqueue(std::nullopt); // the save dialog cancelled
        program.main->close_action->trigger();
        QCOMPARE(program.main->drawings().size(), 1);

        const QString path = dir.filePath(QStringLiteral("closing.sdf"));
        program.ui.message_answers.enqueue(MessageResult::Yes);
        program.ui.file_answers.enqueue(path);
        program.main->close_action->trigger();
        QVERIFY(program.main->drawings().isEmpty());
        QVERIFY(QFile::exists(path));
    }

    void damaged_and_empty_files_open_as_far_as_they_go()
    {
        QTemporaryDir dir;
        put_hills_beside(dir);
        const QString path = dir.filePath(QStringLiteral("two.sdf"));
        Program program;
        two_object_drawing(program);
        program.ui.file_answers.enqueue(path);
        program.main->save_action->trigger();
        const qsizetype second = 20 + 356 + qFromLittleEndian<std::int32_t>(contents(path).constData() + 376 + 2);
        program.main->close_action->trigger();

        QByteArray bytes = contents(path);
        qToLittleEndian<std::int32_t>(300, bytes.data() + second);
        const QString bad = dir.filePath(QStringLiteral("bad.sdf"));
        write(bad, bytes);
        DrawingWindow* opened = open(program, bad);
        QCOMPARE(program.ui.message_texts(), QStringList{"Error loading file."});
        QCOMPARE(opened->shape_names(), QStringList{"shape1"});
        QCOMPARE(opened->modified, 0);

        const QString empty = dir.filePath(QStringLiteral("empty.sdf"));
        write(empty, DrawingHeader{50, 40, 200, 150, 0}.to_bytes());
        opened = open(program, empty);
        QCOMPARE(opened->panel->size(), QSize(200, 150));
        QVERIFY(opened->shapes.isEmpty());

        // No usable header: nothing opens and the history does not take it.
        program.ui.messages.clear();
        const QString stub = dir.filePath(QStringLiteral("stub.sdf"));
        write(stub, "0123456789");
        const int open_drawings = static_cast<int>(program.main->drawings().size());
        open(program, stub);
        QCOMPARE(program.ui.message_texts(), QStringList{"Error loading file."});
        QCOMPARE(program.main->drawings().size(), open_drawings);
        QCOMPARE(program.main->drawing_names().size(), open_drawings);
        QVERIFY(!program.main->file_history().paths().contains(stub));
    }

    void objects_far_outside_the_panel_are_harmless()
    {
        // One object wholly left of the panel, as far as an object may lie,
        // then one at the very end of the integers.
        QByteArray bytes = DrawingHeader{50, 40, 200, 150, 2}.to_bytes();
        for (const std::int32_t left : {-max_object_offset, INT_MIN}) {
            ShapeRecord record;
            record.left = left;
            record.width = record.height = 100;
            reset_morphology(record.morphology);
            bytes += record.to_bytes() + silhouette_bmp(make_buffer(100, 100, color_black), Configuration.background_color);
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("far.sdf"));
        write(path, bytes);

        Program program;
        QTest::keyClick(program.main.get(), Qt::Key_F5);
        DrawingWindow* opened = open(program, path);
        QCOMPARE(program.ui.message_texts(), QStringList{"Error loading file."});
        QCOMPARE(opened->shapes.size(), 1);
        QTRY_VERIFY(!program.main->preview_dock->shown().isNull());

        // Nor can an object be sent beyond that bound.
        Shape* far = opened->shapes.constFirst();
        QVERIFY_THROWS_EXCEPTION(ObjectSizeError, opened->move_shape(far, INT_MIN, 0));
        QCOMPARE(far->left, -max_object_offset);
        QVERIFY(opened->history.undo_list.empty());
    }
};

QTEST_MAIN(TestSaveOpen)
#include "test_save_open.moc"

// Import From File: choosing a file, marking objects in the dialog, name
// clashes, thumbnails and preview sizes.
#include "app/import_dialog.h"
#include "app/main_window.h"
#include "core/configuration.h"
#include "core/raster.h"
#include "core/shape.h"
#include "document/drawing_window.h"
#include "files/drawing_writer.h"
#include "platform/input_box.h"
#include "support/program.h"
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <memory>

namespace {

QString write_drawing(const QTemporaryDir& dir, const QString& file, const QStringList& names)
{
    std::vector<std::unique_ptr<Shape>> shapes;
    QList<Shape*> list;
    for (qsizetype i = 0; i < names.size(); ++i) {
        auto shape = std::make_unique<Shape>(nullptr, Configuration.background_color);
        shape->name = names[i];
        shape->set_bounds(30 + int(i), 40, 20, 10 + int(i));
        shape->buffer = make_buffer(20, 10 + int(i), color_black);
        list << shape.get();
        shapes.push_back(std::move(shape));
    }
    const QString path = dir.filePath(file);
    QFile out(path);
    out.open(QIODevice::WriteOnly);
    out.write(drawing_file_bytes({100, 80, 400, 300, 0}, list, Configuration.background_color));
    return path;
}

void click_row(ImportDialog& form, int row)
{
    form.object_list->setCurrentRow(row);
    form.on_object_clicked();
}

// The dialog's answer: click the rows in order, then Ok.
std::function<int(QDialog&)> clicking(QList<int> rows, QList<bool>* marks_seen = nullptr)
{
    return [rows, marks_seen](QDialog& dialog) {
        auto& form = static_cast<ImportDialog&>(dialog);
        for (int row : rows) click_row(form, row);
        if (marks_seen) *marks_seen = form.import_marks;
        form.on_ok_clicked();
        return int(QDialog::Accepted);
    };
}

struct AskedName {
    QString caption, prompt, proposal;
};

} // namespace

class TestImportObjects : public QObject {
    Q_OBJECT
private slots:
    void thumbnails_fill_their_square_and_previews_only_shrink()
    {
        QCOMPARE(thumbnail_rect(42, 20, 200).size(), QSize(4, 42));
        QCOMPARE(thumbnail_rect(42, 20, 200).topLeft(), QPoint(19, 0));
        QCOMPARE(thumbnail_rect(42, 10, 10), QRect(0, 0, 42, 42));
        QCOMPARE(preview_size(20, 200), QSize(13, 130));
        QCOMPARE(preview_size(10, 10), QSize(10, 10));
    }

    void marked_objects_with_free_names_arrive_at_the_top_left()
    {
        QTemporaryDir dir;
        const QString path = write_drawing(dir, QStringLiteral("trees.sdf"), {"oak", "pine", "elm"});
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        program.draw_rectangle(drawing, QRect(100, 100, 30, 30));
        drawing->modified = 0;
        const size_t undo_entries = drawing->history.undo_list.size();

        // Two clicks mark, a third unmarks; one click on each of two rows
        // marks nothing; the highlighted row is previewed.
        QList<bool> marks;
        QList<QList<bool>> seen;
        int rows = 0, thumbnails = 0, last_clicked = 0;
        QSize preview;
        program.ui.file_answers.enqueue(path);
        program.ui.modal_answers.enqueue([&](QDialog& dialog) {
            auto& form = static_cast<ImportDialog&>(dialog);
            rows = form.object_list->count();
            thumbnails = static_cast<int>(form.thumbnails.size());
            last_clicked = form.last_clicked();
            click_row(form, 0);
            seen << form.import_marks;
            preview = form.preview_label->pixmap().size();
            click_row(form, 0);
            seen << form.import_marks;
            click_row(form, 0);
            seen << form.import_marks;
            click_row(form, 1);
            click_row(form, 2);
            seen << form.import_marks;
            click_row(form, 2);
            click_row(form, 0);
            click_row(form, 0);
            marks = form.import_marks;
            form.on_ok_clicked();
            return int(QDialog::Accepted);
        });
        program.main->import_action->trigger();
        QCOMPARE(rows, 3);
        QCOMPARE(thumbnails, 3);
        QCOMPARE(last_clicked, -1);
        QCOMPARE(preview, QSize(20, 10));
        const QList<bool> none = {false, false, false};
        QCOMPARE(seen, QList<QList<bool>>({none, {true, false, false}, none, none}));
        QCOMPARE(marks, QList<bool>({true, false, true}));
        QCOMPARE(program.ui.file_dialog_titles, QStringList{"Import objects from file"});
        QCOMPARE(drawing->shape_names(), QStringList({"shape1", "oak", "elm"}));
        QCOMPARE(drawing->shapes[1]->bounds(), QRect(0, 0, 20, 10));
        QCOMPARE(drawing->shapes[2]->bounds(), QRect(0, 0, 20, 12));
        QCOMPARE(drawing->modified, 1); // so closing asks before the imported objects are lost
        QCOMPARE(drawing->history.undo_list.size(), undo_entries);
        QVERIFY(program.ui.messages.isEmpty());
        QCOMPARE(import_dialog->object_list->count(), 0);

        // Ok with nothing marked, and Cancel with marks, change nothing.
        drawing->modified = 0;
        program.ui.file_answers.enqueue(path);
        program.ui.modal_answers.enqueue(clicking({1}));
        program.main->import_action->trigger();
        program.ui.file_answers.enqueue(path);
        program.ui.modal_answers.enqueue([](QDialog& dialog) {
            auto& form = static_cast<ImportDialog&>(dialog);
            click_row(form, 1);
            click_row(form, 1);
            return int(QDialog::Rejected);
        });
        program.main->import_action->trigger();
        QCOMPARE(drawing->shape_names(), QStringList({"shape1", "oak", "elm"}));
        QCOMPARE(drawing->modified, 0);
    }

    void a_clash_asks_until_a_new_name_is_given()
    {
        QTemporaryDir dir;
        const QString path = write_drawing(dir, QStringLiteral("clash.sdf"), {"shape2", "9bad"});
        Program program;
        QList<AskedName> asked;
        QList<std::optional<QString>> answers = {std::nullopt, QString(), QStringLiteral("bad name"),
                                                 QStringLiteral("roof")};
        platform::input_box_seam().replace([&](const QString& caption, const QString& prompt, QString& text) {
            asked.append({caption, prompt, text});
            const std::optional<QString> answer = answers.takeFirst();
            if (answer) text = *answer;
            return answer.has_value();
        });
        DrawingWindow* drawing = program.new_drawing();
        for (int i = 0; i < 4; ++i) program.draw_rectangle(drawing, QRect(10 * i, 0, 8, 8));
        program.ui.file_answers.enqueue(path);
        program.ui.modal_answers.enqueue(clicking({0, 0, 1, 1}));
        program.main->import_action->trigger();

        QCOMPARE(asked.size(), 4);
        QCOMPARE(asked[0].caption, QStringLiteral("New Object Name"));
        QCOMPARE(asked[0].prompt, QStringLiteral("Name 'shape2' already exists. Enter a new name."));
        for (const AskedName& a : asked) QCOMPARE(a.proposal, QStringLiteral("shape5"));
        QCOMPARE(program.ui.message_texts(), QStringList{"''bad name'' is not a valid component name"});
        // The stored name that is no identifier takes the next default name.
        QCOMPARE(drawing->shape_names(), QStringList({"shape1", "shape2", "shape3", "shape4", "roof", "shape5"}));
    }

    void invalid_files_ask_again_and_damage_later_on_keeps_what_came_before()
    {
        QTemporaryDir dir;
        const QString good = write_drawing(dir, QStringLiteral("good.sdf"), {"a", "b"});
        QFile in(good);
        in.open(QIODevice::ReadOnly);
        QByteArray bytes = in.readAll();
        const QString broken = dir.filePath(QStringLiteral("broken.sdf"));
        QByteArray zero_width = bytes;
        qToLittleEndian<std::int32_t>(0, zero_width.data() + 8);
        QFile out(dir.filePath(QStringLiteral("zero.sdf")));
        out.open(QIODevice::WriteOnly);
        out.write(zero_width);
        out.close();
        const qsizetype second = 20 + 356 + qFromLittleEndian<std::int32_t>(bytes.constData() + 376 + 2);
        qToLittleEndian<std::int32_t>(1, bytes.data() + second);
        QFile damaged(broken);
        damaged.open(QIODevice::WriteOnly);
        damaged.write(bytes);
        damaged.close();

        Program program;
        DrawingWindow* drawing = program.new_drawing();
        program.ui.file_answers.enqueue(out.fileName());
        program.ui.file_answers.enqueue(broken);
        int offered = -1;
        program.ui.modal_answers.enqueue([&](QDialog& dialog) {
            offered = static_cast<ImportDialog&>(dialog).object_list->count();
            return clicking({0, 0})(dialog);
        });
        program.main->import_action->trigger();
        QCOMPARE(program.ui.message_texts(),
                 QStringList({"Not a valid file. Press button to try again.", "Error loading file."}));
        QCOMPARE(offered, 1);
        QCOMPARE(drawing->shape_names(), QStringList{"a"});
    }
};

QTEST_MAIN(TestImportObjects)
#include "test_import_objects.moc"

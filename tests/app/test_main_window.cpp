// The main window's commands, enabling rules and document flows, driven
// offscreen with scripted answers.
#include "app/about_dialog.h"
#include "app/import_dialog.h"
#include "app/window_list_dialog.h"
#include "app/file_history.h"
#include "app/main_window.h"
#include "app/preview_dock.h"
#include "core/configuration.h"
#include "core/raster.h"
#include "core/shape.h"
#include "dialogs/crop_dialog.h"
#include "dialogs/move_dialog.h"
#include "dialogs/panel_dimensions_dialog.h"
#include "dialogs/properties_dialog.h"
#include "dialogs/resize_dialog.h"
#include "dialogs/rotate_dialog.h"
#include "dialogs/morphology_dialog.h"
#include "dialogs/configuration_dialog.h"
#include "document/drawing_window.h"
#include "platform/open_url.h"
#include "platform/registry.h"
#include "support/program.h"
#include "support/settings_guard.h"
#include <QApplication>
#include <QPushButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QUrl>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QFontInfo>
#include <memory>

namespace {

QStringList captions(const QMenu* menu)
{
    QStringList list;
    for (const QAction* action : menu->actions()) list << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return list;
}

bool font_button_shown(const MainWindow& main)
{
    for (QAction* action : main.tools_bar->actions())
        if (main.tools_bar->widgetForAction(action) == main.font_button) return action->isVisible();
    return false;
}

// Types a name into the box and presses Enter as the keyboard does: the
// box has the focus and hands the keys to its edit field.
void enter_name(QComboBox* box, const QString& name)
{
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box, name);
    QTest::keyClick(box, Qt::Key_Return);
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void menus_and_commands_read_as_designed()
    {
        Program program;
        MainWindow& main = *program.main;
        QCOMPARE(main.windowTitle(), QStringLiteral("Dioramix"));
        QCOMPARE(captions(main.file_menu), QStringList({"&New", "&Open", "&Save", "S&ave As", "&Close", "-",
                                                        "&Import From File", "Import 3D &Model...", "-", "&Exit"}));
        QCOMPARE(captions(main.edit_menu), QStringList({"&Undo", "&Redo", "-", "Cu&t", "&Copy", "&Paste", "&Delete", "-",
                                                        "&Show Toolbars"}));
        QCOMPARE(captions(main.show_toolbars_menu), QStringList({"Tools", "Basic", "Actions", "ObjectNames"}));
        QCOMPARE(captions(main.window_menu), QStringList({"&Cascade", "Tile &Horizontally", "&Tile Vertically",
                                                          "&Minimize All", "&Arrange All"}));
        QCOMPARE(captions(main.help_menu), QStringList({"&Contents", "&About..."}));
        QCOMPARE(main.file_history().base(), 8);
        QCOMPARE(main.window_menu_base(), 5);

        QCOMPARE(main.undo_action->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Backspace));
        QCOMPARE(main.redo_action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(main.exit_action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F4));
        QCOMPARE(main.configuration_action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F1));
        QCOMPARE(main.delete_action->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_Delete));
        QCOMPARE(main.import_action->statusTip(), QStringLiteral("Import objects from other file"));
        QCOMPARE(main.import_model_action->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
        QCOMPARE(main.tile_horizontally_action->statusTip(), QStringLiteral("Tile Horizontaly"));
        QCOMPARE(main.tool_action(DrawingTool::Pointer)->statusTip(), QStringLiteral("Edit Mode"));
        QCOMPARE(main.tool_button(DrawingTool::Pointer)->toolTip(), QStringLiteral("Edit Mode"));

        // Each command on the Basic and Actions bars shows its own icon.
        for (QToolBar* bar : {main.basic_bar, main.actions_bar})
            for (QAction* action : bar->actions())
                if (!action->isSeparator()) QVERIFY2(!action->icon().isNull(), qPrintable(action->objectName()));
        // Saved window states name the bars and the dock.
        QCOMPARE(QStringList({main.tools_bar->objectName(), main.basic_bar->objectName(), main.actions_bar->objectName(),
                              main.object_names_bar->objectName(), main.preview_dock->objectName()}),
                 QStringList({"toolbar", "basic", "actions", "objectnames_bar", "preview_dock"}));
    }

    void enabling_rules_follow_the_drawings()
    {
        Program program;
        MainWindow& main = *program.main;
        main.idle_update();
        for (QAction* action : {main.tool_action(DrawingTool::Pointer), main.tool_action(DrawingTool::Rectangle), main.make_stereogram_action, main.delete_action, main.save_action,
                                main.save_as_action, main.close_action, main.import_action, main.import_model_action, main.cut_action, main.copy_action, main.undo_action, main.redo_action})
            QVERIFY2(!action->isEnabled(), qPrintable(action->objectName()));
        QVERIFY(main.paste_action->isEnabled());
        QVERIFY(main.new_action->isEnabled());
        QVERIFY(!main.object_names_combo->isEnabled());
        QVERIFY(!main.tool_button(DrawingTool::Pointer)->isChecked());

        DrawingWindow* drawing = program.new_drawing();
        for (QAction* action : {main.tool_action(DrawingTool::Pointer), main.tool_action(DrawingTool::Text), main.make_stereogram_action, main.save_action, main.close_action, main.import_action, main.import_model_action})
            QVERIFY2(action->isEnabled(), qPrintable(action->objectName()));
        QVERIFY(main.tool_button(DrawingTool::Pointer)->isChecked());
        QVERIFY(main.object_names_combo->isEnabled());
        QVERIFY(!main.cut_action->isEnabled());

        program.draw_rectangle(drawing, QRect(10, 10, 20, 20));
        program.click(drawing, QPoint(15, 15));
        QVERIFY(main.cut_action->isEnabled());
        QVERIFY(main.copy_action->isEnabled());
        // A drawing tool makes cutting impossible and shows the font button for text only.
        program.choose_tool(main.tool_action(DrawingTool::Text));
        QVERIFY(!main.cut_action->isEnabled());
        QVERIFY(font_button_shown(main));
        QVERIFY(!main.object_names_combo->isEnabled());
        program.choose_tool(main.tool_action(DrawingTool::Rectangle));
        QVERIFY(!font_button_shown(main));
        QVERIFY(main.tool_button(DrawingTool::Rectangle)->isChecked());
        QVERIFY(!main.tool_button(DrawingTool::Text)->isChecked());

        main.close_action->trigger();
        main.idle_update();
        QVERIFY(!main.tool_action(DrawingTool::Pointer)->isEnabled());
        QVERIFY(!main.tool_button(DrawingTool::Rectangle)->isChecked());
        QVERIFY(!main.save_action->isEnabled());
        QVERIFY(!main.object_names_combo->isEnabled());
    }

    void closing_any_drawing_empties_the_names_box_and_updates_the_commands_at_once()
    {
        Program program;
        MainWindow& main = *program.main;
        DrawingWindow* behind = program.new_drawing();
        DrawingWindow* front = program.new_drawing();
        program.draw_rectangle(front, QRect(10, 10, 20, 20));
        QCOMPARE(main.object_names_combo->count(), 1);

        // The one behind closes: no drawing for the commands, an empty box.
        behind->parentWidget()->close();
        QCOMPARE(main.active_drawing(), nullptr);
        QCOMPARE(main.object_names_combo->count(), 0);
        QVERIFY(!main.object_names_combo->isEnabled());
        QVERIFY(main.tool_action(DrawingTool::Pointer)->isEnabled()); // the front one is still the active window
        // A click in it makes it the commands' drawing again.
        program.click(front, QPoint(200, 200));
        QCOMPARE(main.active_drawing(), front);
        QCOMPARE(main.object_names_combo->count(), 1);

        // The last one closes: the commands follow before any idle moment.
        front->modified = 0;
        front->parentWidget()->close();
        for (QAction* action : {main.tool_action(DrawingTool::Pointer), main.make_stereogram_action, main.save_action, main.close_action, main.import_action, main.cascade_action})
            QVERIFY2(!action->isEnabled(), qPrintable(action->objectName()));
        QVERIFY(!main.tool_button(DrawingTool::Pointer)->isChecked());
    }

    void help_contents_opens_the_manual()
    {
        Program program;
        QList<QUrl> opened;
        platform::open_url_seam().replace([&](const QUrl& url) {
            opened << url;
            return true;
        });
        const auto restore = qScopeGuard([] { platform::open_url_seam().replace({}); });
        program.main->contents_action->trigger();
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened[0].isLocalFile());
        QFile page(opened[0].toLocalFile());
        QVERIFY(page.fileName().endsWith(QStringLiteral(".html")));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QByteArray html = page.readAll();
        QVERIFY(html.contains("<h1 id=\"dioramix\">Dioramix</h1>"));
        // Its pictures lie beside it.
        QVERIFY(html.contains("src=\"docs/preview.png\""));
        QVERIFY(QFile::exists(QFileInfo(page).dir().filePath(QStringLiteral("docs/preview.png"))));
        QVERIFY(program.ui.messages.isEmpty());
    }

    void choosing_the_chosen_tool_again_only_refreshes_the_names()
    {
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* shape = program.draw_rectangle(drawing, QRect(10, 10, 20, 20));
        program.click(drawing, QPoint(15, 15));
        QCOMPARE(drawing->current_shape, shape);
        program.choose_tool(program.main->tool_action(DrawingTool::Pointer));
        QCOMPARE(drawing->current_shape, shape);
        QVERIFY(shape->nodes[0].visible);
        QCOMPARE(program.main->object_names_combo->count(), 1);
    }

    void new_names_drawings_with_the_lowest_free_number()
    {
        Program program;
        MainWindow& main = *program.main;
        program.new_drawing();
        DrawingWindow* second = program.new_drawing();
        program.new_drawing();
        QCOMPARE(main.drawing_names(), QStringList({"Stereogram1", "Stereogram2", "Stereogram3"}));
        QCOMPARE(main.drawings().size(), 3);
        QCOMPARE(second->windowTitle(), QStringLiteral("Stereogram2"));

        second->parentWidget()->close();
        QCOMPARE(main.drawing_names(), QStringList({"Stereogram1", "Stereogram3"}));
        DrawingWindow* again = program.new_drawing();
        QCOMPARE(again->windowTitle(), QStringLiteral("Stereogram2"));
        QCOMPARE(main.drawing_names(), QStringList({"Stereogram1", "Stereogram3", "Stereogram2"}));
        QCOMPARE(main.drawings().indexOf(again), 2);
        QCOMPARE(again->panel->size(), QSize(400, 300));
    }

    void closing_a_modified_drawing_asks()
    {
        Program program;
        MainWindow& main = *program.main;
        DrawingWindow* clean = program.new_drawing();
        main.close_action->trigger();
        QVERIFY(program.ui.messages.isEmpty());
        QVERIFY(!main.drawings().contains(clean));

        DrawingWindow* drawing = program.new_drawing();
        program.draw_rectangle(drawing, QRect(10, 10, 20, 20));
        QCOMPARE(drawing->modified, std::uint8_t(1));
        program.ui.message_answers << MessageResult::Cancel << MessageResult::Yes << MessageResult::No;
        main.close_action->trigger();
        QCOMPARE(program.ui.messages.size(), 1);
        QCOMPARE(program.ui.messages[0].text, QStringLiteral("Drawing modified. Save changes?"));
        QCOMPARE(program.ui.messages[0].buttons, MessageButtons::YesNoCancel);
        QVERIFY(main.drawings().contains(drawing));
        main.close_action->trigger();
        QVERIFY(main.drawings().contains(drawing)); // not saved: stays open
        main.close_action->trigger();
        QVERIFY(main.drawings().isEmpty());
        QCOMPARE(main.active_drawing(), nullptr);
    }

    void exit_closes_the_active_drawing_first_then_those_before_it()
    {
        Program program;
        MainWindow& main = *program.main;
        QList<DrawingWindow*> drawings;
        for (int i = 0; i < 3; ++i) {
            drawings << program.new_drawing();
            drawings.last()->modified = 1;
        }
        main.activate_drawing(drawings[1]);
        QList<QStringList> open_when_asked;
        platform::message_box_seam().replace([&](const QString&, MessageKind, MessageButtons) {
            open_when_asked << main.drawing_names();
            return MessageResult::No;
        });
        main.exit_action->trigger();
        QCOMPARE(open_when_asked, QList<QStringList>({{"Stereogram1", "Stereogram2", "Stereogram3"},
                                                      {"Stereogram1", "Stereogram3"},
                                                      {"Stereogram3"}}));
        QVERIFY(main.drawings().isEmpty());
    }

    void a_refused_close_cancels_the_exit()
    {
        Program program;
        MainWindow& main = *program.main;
        DrawingWindow* first = program.new_drawing();
        DrawingWindow* second = program.new_drawing();
        first->modified = 1;
        program.ui.message_answers << MessageResult::Cancel;
        main.exit_action->trigger();
        QVERIFY(main.isVisible());
        QCOMPARE(main.drawings(), QList<DrawingWindow*>({first}));
        Q_UNUSED(second);
    }

    void renaming_through_the_object_names_box()
    {
        Program program;
        MainWindow& main = *program.main;
        DrawingWindow* drawing = program.new_drawing();
        Shape* first = program.draw_rectangle(drawing, QRect(10, 10, 20, 20));
        Shape* second = program.draw_rectangle(drawing, QRect(40, 10, 20, 20));

        // Choosing an item selects its object with resize nodes.
        main.object_names_combo->setCurrentIndex(1);
        emit main.object_names_combo->activated(1);
        QCOMPARE(drawing->current_shape, second);
        QCOMPARE(second->edit_mode, EditMode::Resize);

        enter_name(main.object_names_combo, QStringLiteral("house"));
        QCOMPARE(second->name, QStringLiteral("house"));
        QCOMPARE(main.object_names_combo->itemText(1), QStringLiteral("house"));
        QCOMPARE(main.object_names_combo->count(), 2);
        QCOMPARE(main.object_names_combo->currentIndex(), 1);

        enter_name(main.object_names_combo, QStringLiteral("2nd"));
        enter_name(main.object_names_combo, QStringLiteral("shape1"));
        QCOMPARE(program.ui.message_texts(), QStringList({"''2nd'' is not a valid component name",
                                                          "A component named shape1 already exists"}));
        QCOMPARE(program.ui.messages[0].kind, MessageKind::Error);
        QCOMPARE(second->name, QStringLiteral("house"));
        QCOMPARE(first->name, QStringLiteral("shape1"));
        QCOMPARE(main.object_names_combo->currentText(), QStringLiteral("house")); // the real name again

        // With no object selected Enter only clears the text.
        drawing->deselect_shape(second);
        enter_name(main.object_names_combo, QStringLiteral("tree"));
        QCOMPARE(main.object_names_combo->currentText(), QString());
        QCOMPARE(drawing->shape_names(), QStringList({"shape1", "house"}));
    }

    void delete_in_the_names_box_removes_one_character()
    {
        Program program;
        program.new_drawing();
        QLineEdit* edit = program.main->object_names_combo->lineEdit();
        edit->setText(QStringLiteral("abc"));
        edit->setCursorPosition(1);
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(edit->text(), QStringLiteral("ac"));
        QCOMPARE(edit->cursorPosition(), 1);
        edit->setCursorPosition(2);
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(edit->text(), QStringLiteral("ac"));
    }

    void show_toolbars_items_hide_and_show_the_bars()
    {
        Program program;
        MainWindow& main = *program.main;
        main.basic_bar_action->trigger();
        QVERIFY(!main.basic_bar_action->isChecked());
        QVERIFY(!main.basic_bar->isVisible());
        main.object_names_bar_action->trigger();
        QVERIFY(!main.object_names_combo->isVisible());
        main.basic_bar_action->trigger();
        QVERIFY(main.basic_bar->isVisible());

        // The bars' own context menu hides a bar: the check mark follows, and
        // one click on the item shows the bar again.
        const std::unique_ptr<QMenu> context(main.createPopupMenu());
        QAction* tools_item = nullptr;
        for (QAction* item : context->actions())
            if (item->text() == main.tools_bar->windowTitle()) tools_item = item;
        QVERIFY(tools_item);
        tools_item->trigger();
        QVERIFY(!main.tools_bar->isVisible());
        QVERIFY(!main.tools_bar_action->isChecked());
        main.tools_bar_action->trigger();
        QVERIFY(main.tools_bar->isVisible());
        QVERIFY(main.tools_bar_action->isChecked());
    }

    void font_change_applies_to_the_panel_and_the_text_being_typed()
    {
        Program program;
        MainWindow& main = *program.main;
        DrawingWindow* drawing = program.new_drawing();
        program.choose_tool(main.tool_action(DrawingTool::Text));
        program.click(drawing, QPoint(10, 10));
        program.type(drawing, QStringLiteral("ab"));
        QFont chosen(QStringLiteral("DejaVu Sans"), 20);
        program.ui.font_answers << chosen;
        main.font_action->trigger();
        QCOMPARE(drawing->panel->font.family(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(drawing->panel->font.pointSize(), 20);
        QCOMPARE(drawing->panel->caret_rect().height(), QFontInfo(drawing->panel->font).pixelSize());
        const QFontMetrics metrics(drawing->panel->font);
        QCOMPARE(drawing->panel->caret_rect().left(), 10 + metrics.horizontalAdvance(QStringLiteral("ab")));
        QVERIFY(drawing->text_entry().is_typing());
    }

    void window_arrangement_and_panel_centring()
    {
        Program program;
        MainWindow& main = *program.main;
        DrawingWindow* first = program.new_drawing();
        DrawingWindow* second = program.new_drawing();
        main.idle_update();
        QVERIFY(main.tile_horizontally_action->isEnabled());
        main.tile_horizontally_action->trigger();
        const QRect top = first->parentWidget()->geometry();
        const QRect bottom = second->parentWidget()->geometry();
        QCOMPARE(top.width(), main.drawing_area->viewport()->width());
        QCOMPARE(bottom.top(), top.bottom() + 1);
        main.tile_vertically_action->trigger();
        QCOMPARE(second->parentWidget()->geometry().left(), first->parentWidget()->geometry().right() + 1);

        // A window larger than its panel shows the panel in the middle.
        QMdiSubWindow* window = qobject_cast<QMdiSubWindow*>(first->parentWidget());
        window->showMaximized();
        QTRY_COMPARE(first->panel->x(), (first->width() - 400) / 2);
        QTRY_COMPARE(first->panel->y(), qMax(0, (first->height() - 300) / 2));
        main.tools_bar_action->trigger();
        window->resize(window->size() + QSize(40, 0));
        QTRY_COMPARE(first->panel->x(), (first->width() - 400) / 2);

        main.minimize_all_action->trigger();
        QVERIFY(window->isMinimized());
    }

    void new_and_cascade_stagger_whole_windows_inside_the_area()
    {
        Program program;
        MainWindow& main = *program.main;
        QList<DrawingWindow*> drawings;
        for (int i = 0; i < 3; ++i) drawings << program.new_drawing();
        const QRect area = main.drawing_area->viewport()->rect();
        // One title bar with the frame above it.
        const int step = drawings[0]->geometry().top();
        QVERIFY(step > 10);
        const auto check_staggered = [&](const char* when) {
            for (int i = 0; i < drawings.size(); ++i) {
                const QRect window = drawings[i]->parentWidget()->geometry();
                QVERIFY2(window.topLeft() == QPoint(i * step, i * step), when);
                QVERIFY2(area.contains(window), when);
                QVERIFY2(drawings[i]->size() == QSize(400, 300), when);
            }
        };
        check_staggered("after New");
        main.tile_horizontally_action->trigger();
        main.cascade_action->trigger();
        check_staggered("after Cascade");

        // A closed window's place is the next one's.
        drawings[1]->parentWidget()->close();
        DrawingWindow* next = program.new_drawing();
        QCOMPARE(next->parentWidget()->pos(), QPoint(step, step));

        // A panel larger than the area gets a window that fits it.
        program.ui.modal_answers << Program::panel_answer(2000, 1500);
        main.new_action->trigger();
        QVERIFY(area.contains(main.active_drawing()->parentWidget()->geometry()));
        main.cascade_action->trigger();
        for (QMdiSubWindow* window : main.drawing_area->subWindowList()) QVERIFY(area.contains(window->geometry()));
    }

    void enter_in_a_dialog_presses_only_its_ok()
    {
        Program program;
        // Enter right after a dialog opens, where the focus then is.
        const auto press_enter = [](QDialog& dialog) {
            QStringList pressed;
            QList<QMetaObject::Connection> watching;
            for (QPushButton* button : dialog.findChildren<QPushButton*>())
                watching << QObject::connect(button, &QPushButton::pressed, [&pressed, button] { pressed << button->text(); });
            dialog.show();
            if (wait_until_active(&dialog)) {
                QWidget* focused = QApplication::focusWidget();
                QTest::keyClick(focused ? focused : &dialog, Qt::Key_Return);
            }
            dialog.hide();
            for (const QMetaObject::Connection& connection : watching) QObject::disconnect(connection);
            return pressed;
        };

        {
            // Configuration has no Ok: Enter must not take the screen's size for a custom monitor.
            const SettingsGuard settings;
            Configuration.standardmonitor_flag = 0;
            Configuration.monitor_width = 500;
            QStringList pressed = {QStringLiteral("(not shown)")};
            program.ui.modal_answers << [&](QDialog& dialog) {
                pressed = press_enter(dialog);
                return int(QDialog::Rejected);
            };
            QTest::keyClick(program.main.get(), Qt::Key_F1, Qt::ControlModifier);
            QCOMPARE(pressed.join(QLatin1Char(',')), QString());
            QCOMPARE(Configuration.monitor_width, 500);
        }

        for (QDialog* dialog : QList<QDialog*>{morphology_dialog, panel_dimensions_dialog, move_dialog, rotate_dialog, properties_dialog, crop_dialog, import_dialog, resize_dialog, window_list_dialog, about_dialog})
            QVERIFY2(press_enter(*dialog) == QStringList({"Ok"}), qPrintable(dialog->objectName()));
    }

    void colours_and_window_state_come_from_the_registry()
    {
        QTemporaryDir folder;
        const QByteArray store = QFile::encodeName(folder.filePath(QStringLiteral("registry.reg")));
        const QByteArray saved_store = qgetenv("DIORAMIX_REGISTRY");
        const SettingsGuard settings;
        qputenv("DIORAMIX_REGISTRY", store);
        {
            RegistryKey key(QString::fromLatin1(configuration_key_path), true);
            key.write_dword(QStringLiteral("background_color"), 0x004000);
            key.write_dword(QStringLiteral("object_color"), 0x0000FF);
            key.write_string(QStringLiteral("show_condition"), QStringLiteral("normal"));
        }
        {
            Program program;
            QVERIFY(program.ui.messages.isEmpty());
            QVERIFY(!program.main->start_maximized());
            DrawingWindow* drawing = program.new_drawing();
            Shape* shape = program.draw_rectangle(drawing, QRect(10, 10, 20, 20));
            QCOMPARE(pixel_color(shape->buffer, 5, 5), StoredColor(0x0000FF));
            const QImage picture = drawing->panel->grab().toImage();
            QCOMPARE(picture.pixelColor(100, 100), to_qcolor(0x004000));
            program.main->showMaximized();
        }
        {
            RegistryKey key(QString::fromLatin1(configuration_key_path), false);
            QCOMPARE(key.read_string(QStringLiteral("show_condition")), QStringLiteral("maximize"));
            key.write_string(QStringLiteral("eye_distance"), QStringLiteral("40"));
        }
        {
            // A value of the wrong type is reported once; the program still starts.
            Program program;
            QCOMPARE(program.ui.message_texts(), QStringList({"Invalid data type for 'eye_distance'"}));
            QVERIFY(program.new_drawing());
        }
        qputenv("DIORAMIX_REGISTRY", saved_store);
    }

    void activating_another_drawing_deselects_and_refills_the_names()
    {
        Program program;
        MainWindow& main = *program.main;
        DrawingWindow* first = program.new_drawing();
        Shape* shape = program.draw_rectangle(first, QRect(10, 10, 20, 20));
        program.click(first, QPoint(15, 15));
        DrawingWindow* second = program.new_drawing();
        QCOMPARE(first->current_shape, nullptr);
        QVERIFY(!shape->nodes[0].visible);
        QCOMPARE(main.active_drawing(), second);
        QCOMPARE(main.object_names_combo->count(), 0);
        main.drawing_area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(first->parentWidget()));
        QCOMPARE(main.active_drawing(), first);
        QCOMPARE(main.object_names_combo->count(), 1);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"

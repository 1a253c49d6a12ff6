// The Window menu's list of open drawings, the Window List beyond ten, and
// the About box.
#include "app/about_dialog.h"
#include "app/window_list_dialog.h"
#include "app/main_window.h"
#include "document/drawing_window.h"
#include "support/program.h"
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

QStringList window_items(MainWindow& main)
{
    main.update_window_menu();
    QStringList items;
    for (const QAction* action : main.window_menu->actions())
        items << (action->isSeparator() ? QStringLiteral("-") : action->text()) + (action->isChecked() ? "*" : "");
    return items;
}

const QStringList fixed_items = {"&Cascade", "Tile &Horizontally", "&Tile Vertically", "&Minimize All", "&Arrange All"};

} // namespace

class TestWindowList : public QObject {
    Q_OBJECT
private slots:
    void the_menu_lists_ten_drawings_and_the_dialog_the_rest()
    {
        Program program;
        MainWindow& main = *program.main;
        QCOMPARE(window_items(main), fixed_items);

        QList<DrawingWindow*> drawings;
        for (int i = 0; i < 11; ++i) drawings << program.new_drawing();
        QStringList expected = fixed_items;
        expected << QStringLiteral("-");
        for (int k = 0; k < 10; ++k) expected << QStringLiteral("&%1 Stereogram%2").arg(k).arg(k + 1);
        expected << QStringLiteral("More files...");
        // The eleventh is active: no item carries the check mark.
        QCOMPARE(window_items(main), expected);

        main.window_menu->actions()[main.window_menu_base() + 1 + 3]->trigger();
        QCOMPARE(main.active_drawing(), drawings[3]);
        expected[main.window_menu_base() + 1 + 3] += QLatin1Char('*');
        QCOMPARE(window_items(main), expected);
        QCOMPARE(main.window_menu->actions()[main.window_menu_base() + 1]->statusTip(), QStringLiteral("Stereogram1"));

        // The eleventh is reachable through the Window List.
        program.ui.modal_answers << [](QDialog& dialog) {
            auto& list = static_cast<WindowListDialog&>(dialog);
            list.fill_list();
            [&] { QCOMPARE(list.drawing_list->count(), 11); }();
            list.drawing_list->setCurrentRow(10);
            list.ok_button->click();
            return int(list.result());
        };
        main.window_menu->actions().constLast()->trigger();
        QCOMPARE(main.active_drawing(), drawings[10]);

        // Closed any other way, it activates nothing.
        program.ui.modal_answers << [](QDialog& dialog) {
            auto& list = static_cast<WindowListDialog&>(dialog);
            list.fill_list();
            list.drawing_list->setCurrentRow(2);
            list.reject();
            return int(list.result());
        };
        main.show_window_list();
        QCOMPARE(main.active_drawing(), drawings[10]);

        // Tab gives the list a current row but selects nothing: Ok then activates nothing.
        program.ui.modal_answers << [](QDialog& dialog) {
            auto& list = static_cast<WindowListDialog&>(dialog);
            list.show();
            if (!wait_until_active(&list)) return int(QDialog::Rejected);
            for (int i = 0; i < 5 && QApplication::focusWidget() != list.drawing_list; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            [&] { QCOMPARE(list.drawing_list->currentRow(), 0); }();
            QTest::keyClick(list.drawing_list, Qt::Key_Return);
            [&] { QCOMPARE(list.cancelled, std::uint8_t(0)); }();
            return int(list.result());
        };
        main.show_window_list();
        QCOMPARE(main.active_drawing(), drawings[10]);

        // Closing drawings shrinks the list again.
        for (int i = 0; i < 10; ++i) drawings[i]->parentWidget()->close();
        QCOMPARE(window_items(main), fixed_items + QStringList({"-", "&0 Stereogram11*"}));
        drawings[10]->parentWidget()->close();
        QCOMPARE(window_items(main), fixed_items);
    }

    void the_about_box_shows_the_program()
    {
        Program program;
        QCOMPARE(about_dialog->windowTitle(), QStringLiteral("About"));
        QVERIFY(!about_dialog->icon_label->pixmap().isNull());
        QVERIFY(!about_dialog->logo_label->pixmap().isNull());
        QCOMPARE(about_dialog->width(), about_dialog->ok_button->geometry().right() + 1 + 24);
        program.ui.modal_answers << [](QDialog& dialog) {
            static_cast<AboutDialog&>(dialog).ok_button->click();
            return int(dialog.result());
        };
        program.main->about_action->trigger();
        QVERIFY(program.ui.modal_answers.isEmpty());
    }
};

QTEST_MAIN(TestWindowList)
#include "test_window_list.moc"

#include "app/dialogs.h"
#include "core/panel_dimensions.h"
#include "core/shape.h"
#include "dialogs/panel_dimensions_dialog.h"
#include "document/drawing_window.h"
#include "document/drawing_panel.h"
#include "support/program.h"
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

Program::Program()
{
    PanelDimensions = PanelDimensionsRecord{105, 79, 400, 300};
    main = std::make_unique<MainWindow>();
    create_dialogs(*main);
    main->show();
    wait_until_active(main.get());
}

Program::~Program()
{
    // Unsaved drawings would ask; the test is over, so they are dropped.
    for (DrawingWindow* drawing : main->drawings()) drawing->modified = 0;
    main->close();
    main.reset();
    destroy_dialogs();
}

bool wait_until_active(QWidget* window)
{
    if (QTest::qWaitForWindowActive(window)) return true;
    const QString what = QStringLiteral("%1 \"%2\"").arg(window->metaObject()->className(), window->windowTitle());
    QTest::qFail(qPrintable(what + QStringLiteral(" never became active")), __FILE__, __LINE__);
    return false;
}

std::function<int(QDialog&)> Program::panel_answer(int width_px, int height_px)
{
    return [width_px, height_px](QDialog& dialog) {
        auto& form = static_cast<PanelDimensionsDialog&>(dialog);
        form.dimensions_source_combo->setCurrentIndex(3); // custom
        emit form.dimensions_source_combo->activated(3);
        form.dimension_units_combo->setCurrentIndex(1); // pixels
        emit form.dimension_units_combo->activated(1);
        for (auto [box, value] : {std::pair{form.width_box, width_px}, std::pair{form.height_box, height_px}}) {
            box->setText(QString::number(value));
            box->setModified(true);
        }
        form.ok_button->click();
        return form.result();
    };
}

DrawingWindow* Program::new_drawing()
{
    ui.modal_answers.prepend(panel_answer(400, 300));
    main->new_action->trigger();
    return main->active_drawing();
}

void Program::choose_tool(QAction* tool)
{
    tool->trigger();
}

namespace {
// The panel widget's own position of a panel pixel: the panel widget moves
// as the window scrolls, and is the panel's pixel size times its zoom.
QPoint on_panel_widget(DrawingWindow* drawing, QPoint panel_pixel)
{
    return drawing->panel->to_widget(QRect(panel_pixel, QSize(1, 1))).topLeft();
}
} // namespace

void Program::press(DrawingWindow* drawing, QPoint at, Qt::MouseButton button)
{
    QTest::mousePress(drawing->panel, button, Qt::NoModifier, on_panel_widget(drawing, at));
}

void Program::move(DrawingWindow* drawing, QPoint to)
{
    QTest::mouseMove(drawing->panel, on_panel_widget(drawing, to));
}

void Program::release(DrawingWindow* drawing, QPoint at, Qt::MouseButton button)
{
    QTest::mouseRelease(drawing->panel, button, Qt::NoModifier, on_panel_widget(drawing, at));
}

void Program::click(DrawingWindow* drawing, QPoint at, Qt::MouseButton button)
{
    press(drawing, at, button);
    release(drawing, at, button);
}

void Program::drag(DrawingWindow* drawing, QPoint from, QPoint to)
{
    press(drawing, from);
    move(drawing, (from + to) / 2);
    move(drawing, to);
    release(drawing, to);
}

void Program::type(DrawingWindow* drawing, const QString& text)
{
    for (const QChar c : text) {
        QTest::keyPress(drawing, c.toLatin1());
        QTest::keyRelease(drawing, c.toLatin1());
    }
}

void Program::key(DrawingWindow* drawing, Qt::Key key)
{
    QTest::keyPress(drawing, key);
    QTest::keyRelease(drawing, key);
}

namespace {
Shape* draw_figure(Program& program, QAction* tool, DrawingWindow* drawing, QRect bounds)
{
    program.choose_tool(tool);
    program.drag(drawing, bounds.topLeft(), bounds.bottomRight());
    program.choose_tool(program.main->tool_action(DrawingTool::Pointer));
    return drawing->shapes.isEmpty() ? nullptr : drawing->shapes.constLast();
}
} // namespace

Shape* Program::draw_rectangle(DrawingWindow* drawing, QRect bounds)
{
    return draw_figure(*this, main->tool_action(DrawingTool::Rectangle), drawing, bounds);
}

Shape* Program::draw_ellipse(DrawingWindow* drawing, QRect bounds)
{
    return draw_figure(*this, main->tool_action(DrawingTool::Ellipse), drawing, bounds);
}

#include "veride/render_progress.h"
#include <QCoreApplication>
#include <QProgressDialog>
#include <algorithm>
#include <atomic>

RenderResult render_with_progress(const QString& name, int rows, QWidget* window,
                                  const std::function<RenderResult(const RenderControl&)>& render)
{
    QProgressDialog progress(QCoreApplication::translate("Renderer", "Rendering %1...").arg(name), QCoreApplication::translate("Renderer", "Cancel"), 0,
                             std::max(rows, 1), window);
    progress.setWindowTitle(QStringLiteral("Dioramix"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setValue(0);
    std::atomic<bool> cancel{false};
    RenderControl control;
    control.cancel = &cancel;
    control.poll = [&](int rows_done) {
        progress.setValue(rows_done);
        QCoreApplication::processEvents();
        if (progress.wasCanceled()) cancel = true;
    };
    return render(control);
}

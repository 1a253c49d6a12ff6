#include "platform/screen.h"
#include <QGuiApplication>
#include <QScreen>

namespace {

ScreenMetrics real_screen()
{
    ScreenMetrics m;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return ScreenMetrics{1024, 768, 96, 96};
    m.width_px = screen->size().width();
    m.height_px = screen->size().height();
    m.dpi_x = qRound(screen->logicalDotsPerInchX());
    m.dpi_y = qRound(screen->logicalDotsPerInchY());
    if (m.dpi_x <= 0) m.dpi_x = 96;
    if (m.dpi_y <= 0) m.dpi_y = 96;
    return m;
}

} // namespace

namespace platform {
ScreenSeam& screen_seam()
{
    static ScreenSeam seam(real_screen);
    return seam;
}
}

ScreenMetrics screen_metrics()
{
    return platform::screen_seam()();
}

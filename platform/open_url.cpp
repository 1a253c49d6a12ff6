#include "platform/open_url.h"
#include <QDesktopServices>
#include <QUrl>

namespace platform {
OpenUrlSeam& open_url_seam()
{
    static OpenUrlSeam seam([](const QUrl& url) { return QDesktopServices::openUrl(url); });
    return seam;
}
}

bool open_url(const QUrl& url)
{
    return platform::open_url_seam()(url);
}

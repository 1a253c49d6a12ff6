#include "platform/beep.h"
#include <QApplication>

namespace platform {
BeepSeam& beep_seam()
{
    static BeepSeam seam([] { QApplication::beep(); });
    return seam;
}
}

void beep()
{
    platform::beep_seam()();
}

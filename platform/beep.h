#pragma once
#include "platform/seam.h"

void beep();

namespace platform {
using BeepSeam = Seam<void()>;
BeepSeam& beep_seam();
}

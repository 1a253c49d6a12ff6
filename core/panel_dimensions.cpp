#include "core/panel_dimensions.h"

PanelDimensionsRecord PanelDimensions;

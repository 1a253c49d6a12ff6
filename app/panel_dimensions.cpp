#include "app/panel_dimensions.h"

PanelDimensionsRecord PanelDimensions;

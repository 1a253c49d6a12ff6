#pragma once
// Puts the global settings back as they were when it leaves scope, so that
// one test's changes cannot leak into the next, also when a check fails
// half-way.
#include "core/configuration.h"
#include "core/panel_dimensions.h"

struct SettingsGuard {
    SettingsGuard() = default;
    SettingsGuard(const SettingsGuard&) = delete;
    SettingsGuard& operator=(const SettingsGuard&) = delete;
    ~SettingsGuard()
    {
        Configuration = configuration;
        PanelDimensions = panel_dimensions;
    }

    const ConfigurationRecord configuration = Configuration;
    const PanelDimensionsRecord panel_dimensions = PanelDimensions;
};

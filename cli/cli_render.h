#pragma once
// `dioramix-cli render`: reads drawing files, depth-map images or 3D models,
// renders them with the renderer's own engine and writes the picture, or
// the animation of one frame per input or per step of a turning model.
#include "cli/cli_options.h"
#include "core/configuration.h"
#include <QString>
#include <QStringList>

struct CliOutcome {
    QString error;        // one line; empty on success
    QStringList warnings; // told, the render went on
};

CliOutcome run_render(const CliOptions& options, const ConfigurationRecord& configuration);

#pragma once
// `dioramix-cli render`: reads a drawing file or a depth-map image, renders
// it with the renderer's own engine and writes the stereogram.
#include "cli/cli_options.h"
#include "core/configuration.h"
#include <QString>
#include <QStringList>

struct CliOutcome {
    QString error;        // one line; empty on success
    QStringList warnings; // told, the render went on
};

CliOutcome run_render(const CliOptions& options, const ConfigurationRecord& configuration);

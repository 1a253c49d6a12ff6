#pragma once
// The settings a render reads (the settings table's rows marked so), read
// from the program's registry store without writing to it: a value that is missing keeps the program's
// default, and the height limits default to what the program would derive
// from the stored distances.
#include "core/configuration.h"
#include <QStringList>

// `problems` receives one line per value that could not be read.
ConfigurationRecord read_render_configuration(QStringList& problems);

#include "app/configuration.h"

ConfigurationRecord Configuration;

// Compiled by a test with exactly the core's include paths: the core must stay free of any
// windowing code, so a Qt header must not be reachable from it.
#include "core/dilution.h"

#include <QString>

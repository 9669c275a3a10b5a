// Compiled by a test with exactly the form's include paths: the form must stay free of any
// toolkit, so a Qt header must not be reachable from it.
#include "form/calculator_form.h"

#include <QString>

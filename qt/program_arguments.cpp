#include "qt/program_arguments.h"

namespace quorel::qt {

namespace {
char fallbackName[] = "Quorel";
} // namespace

ProgramArguments::ProgramArguments(int argc, char *argv[]) {
    m_values[0] = argc > 0 && argv && argv[0] ? argv[0] : fallbackName;
}

} // namespace quorel::qt

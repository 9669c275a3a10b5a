#include "form/contract.h"

#include <cstdio>
#include <cstdlib>

namespace quorel::form {

namespace {

void stopInDebugBuild([[maybe_unused]] const char *what) {
#ifndef NDEBUG
    std::fprintf(stderr, "Quorel: %s\n", what);
    std::abort();
#endif
}

ContractHandler handler = &stopInDebugBuild;

} // namespace

void contractBroken(const char *what) {
    handler(what);
}

ContractHandler setContractHandler(ContractHandler replacement) {
    const ContractHandler previous = handler;
    handler = replacement ? replacement : &stopInDebugBuild;
    return previous;
}

} // namespace quorel::form

#pragma once

namespace quorel::form {

// A face calls this where a promise of the form's interfaces was broken (form/shell.h: the form
// creates a window before it asks for it). A debug build stops there with `what`; a release build
// carries on, the call that found the breach doing nothing. Tests install a handler that fails
// the test.
void contractBroken(const char *what);

using ContractHandler = void (*)(const char *what);
// Returns the handler it replaces; null restores the default.
ContractHandler setContractHandler(ContractHandler handler);

} // namespace quorel::form

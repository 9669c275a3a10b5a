// The promises of the form's shell interface, as the Win32 shell keeps them: asked for a window
// the form never created, it reports the breach and does nothing, in this process.

#include "form/contract.h"
#include "win32/win32_shell.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorel::win32 {
namespace {

std::vector<std::string> breaches;

void recordBreach(const char *what) {
    breaches.emplace_back(what);
}

TEST(Shell, AWindowAskedForBeforeItIsCreatedIsReported) {
    breaches.clear();
    const form::ContractHandler previous = form::setContractHandler(&recordBreach);
    {
        Win32Shell shell;
        shell.showWindow(form::WindowId::About);
        shell.hideWindow(form::WindowId::About);
    }
    form::setContractHandler(previous);
    EXPECT_EQ(breaches.size(), 2u);
    EXPECT_EQ(FindWindowW(L"Quorel.Form1", nullptr), nullptr);
}

} // namespace
} // namespace quorel::win32

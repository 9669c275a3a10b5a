// The driver's reading of a window's text fails loudly, naming the window and the message, where
// the window never answers or is gone, instead of reading as an empty text.

#include "win32/tests/program_driver.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>

namespace quorel::win32::testing {
namespace {

// A window whose thread is stuck (waiting, not pumping messages) until the test lets it go.
class StuckWindow {
  public:
    StuckWindow() : m_release(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        const HANDLE made = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        m_thread = std::thread([this, made] {
            m_window = CreateWindowExW(0, L"STATIC", L"caption", 0, 0, 0, 10, 10, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
            SetEvent(made);
            WaitForSingleObject(m_release, INFINITE);
            DestroyWindow(m_window);
        });
        WaitForSingleObject(made, INFINITE);
        CloseHandle(made);
    }
    ~StuckWindow() {
        SetEvent(m_release);
        m_thread.join();
        CloseHandle(m_release);
    }
    StuckWindow(const StuckWindow &) = delete;
    StuckWindow &operator=(const StuckWindow &) = delete;

    HWND handle() const { return m_window; }

  private:
    HANDLE m_release;
    HWND m_window = nullptr;
    std::thread m_thread;
};

std::string failureOf(HWND window) {
    try {
        windowText(window, 200ms);
    } catch (const std::runtime_error &failure) {
        return failure.what();
    }
    return "no failure";
}

TEST(WindowText, ThrowsNamingTheMessageWhenTheWindowDoesNotAnswer) {
    const StuckWindow stuck;
    ASSERT_NE(stuck.handle(), nullptr);
    const std::string failure = failureOf(stuck.handle());
    EXPECT_PRED_FORMAT2(::testing::IsSubstring, "WM_GETTEXTLENGTH to window 0x", failure);
    EXPECT_PRED_FORMAT2(::testing::IsSubstring, "no answer within 200 ms", failure);
}

TEST(WindowText, ThrowsWhenTheWindowIsGone) {
    const HWND window = CreateWindowExW(0, L"STATIC", L"caption", 0, 0, 0, 10, 10, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(windowText(window), L"caption");
    DestroyWindow(window);
    EXPECT_PRED_FORMAT2(::testing::IsSubstring, "WM_GETTEXTLENGTH to window 0x", failureOf(window));
}

} // namespace
} // namespace quorel::win32::testing

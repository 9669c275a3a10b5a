#pragma once

// UTF-16 on both sides: the form's char16_t texts and Windows' wchar_t ones are the same code
// units, so they convert by copying.

#include <string>
#include <string_view>

namespace quorel::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

inline std::u16string utf16(std::wstring_view text) {
    return {text.begin(), text.end()};
}

} // namespace quorel::win32

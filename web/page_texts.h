#pragma once

#include <string_view>

namespace quorel::web {

// The page's own texts, for what a desktop program leaves to its system: the message box's one
// button, the names of the menu bar and of the windows' close boxes, the page left when the
// program has ended (a page cannot close its tab) with its title, and the notice for a browser
// that cannot run the program at all.
struct PageTexts {
    std::u16string_view okButton;
    std::u16string_view menuBar;
    std::u16string_view closeButton;
    std::u16string_view endedTitle;
    std::u16string_view ended;
    std::u16string_view restartButton;
    std::u16string_view unavailable;
    std::u16string_view unavailableAdvice;
};

inline constexpr PageTexts pageTexts{
    .okButton = u"确定",
    .menuBar = u"菜单栏",
    .closeButton = u"关闭",
    .endedTitle = u"Quorel",
    .ended = u"Quorel计算助手已结束。",
    .restartButton = u"重新开始",
    .unavailable = u"此浏览器无法运行Quorel计算助手。",
    .unavailableAdvice = u"它需要 WebAssembly：请换用较新的浏览器打开本页。",
};

} // namespace quorel::web

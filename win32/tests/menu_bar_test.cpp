// The menu bar as the face builds it, checked in this process: Wine cannot
// read another process's menu.

#include "win32/menu_bar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorel::win32 {
namespace {

struct ShownItem {
    std::wstring text;
    bool greyed;
    bool separator;
    bool opensMenu;
    friend bool operator==(const ShownItem &, const ShownItem &) = default;
};

std::vector<ShownItem> itemsOf(HMENU menu) {
    std::vector<ShownItem> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = 64;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        // Wine reports separators as greyed; only items that could be chosen count here.
        const bool separator = (info.fType & MFT_SEPARATOR) != 0;
        items.push_back({text, !separator && (info.fState & MFS_GRAYED) != 0, separator,
                         info.hSubMenu != nullptr});
    }
    return items;
}

TEST(MenuBar, ShowsTheMenusOfTheTable) {
    const MenuHandle bar = buildMenuBar(form::mainMenuTable);
    EXPECT_EQ(itemsOf(bar.get()), (std::vector<ShownItem>{{L"文件(&F)", false, false, true},
                                                          {L"选项(&O)", false, false, true},
                                                          {L"关于(&A)", false, false, false}}));
    EXPECT_EQ(itemsOf(GetSubMenu(bar.get(), 0)),
              (std::vector<ShownItem>{{L"新建(&N)\tCtrl+N", false, false, false},
                                      {L"", false, true, false},
                                      {L"退出(&X)\tCtrl+X", false, false, false}}));
    EXPECT_EQ(itemsOf(GetSubMenu(bar.get(), 1)),
              (std::vector<ShownItem>{{L"浓溶液配稀溶液(&1)", false, false, false},
                                      {L"稀溶液浓缩(&2)", true, false, false},
                                      {L"浓稀溶液混合(&3)", true, false, false}}));
}

TEST(MenuBar, ItemsSendTheIdsOfTheirRows) {
    const MenuHandle bar = buildMenuBar(form::mainMenuTable);
    const auto commandOf = [](int id) {
        const form::MenuRow *row = menuRowOf(form::mainMenuTable, id);
        return row ? row->command : std::nullopt;
    };
    EXPECT_EQ(commandOf(static_cast<int>(GetMenuItemID(GetSubMenu(bar.get(), 0), 0))),
              form::Command::ResetFields);
    EXPECT_EQ(commandOf(static_cast<int>(GetMenuItemID(GetSubMenu(bar.get(), 0), 2))),
              form::Command::ExitFromCalculator);
    EXPECT_EQ(commandOf(static_cast<int>(GetMenuItemID(bar.get(), 2))), form::Command::OpenAbout);
    EXPECT_EQ(menuRowOf(form::mainMenuTable, IDOK), nullptr);
}

} // namespace
} // namespace quorel::win32

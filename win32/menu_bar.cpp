#include "win32/menu_bar.h"

#include "win32/wide_text.h"

#include <vector>

namespace quorel::win32 {

namespace {

UINT_PTR menuId(std::span<const form::MenuRow> rows, const form::MenuRow &row) {
    return static_cast<UINT_PTR>(firstMenuId + (&row - rows.data()));
}

// The access key marked with '&', the shortcut after a tab.
std::wstring itemText(const form::MenuRow &row) {
    std::wstring text = wide(form::captionWithMarker(row, u'&'));
    if (row.shortcut)
        text += L'\t' + wide(form::shortcutText(row.shortcut));
    return text;
}

} // namespace

MenuHandle buildMenuBar(std::span<const form::MenuRow> rows) {
    MenuHandle bar(CreateMenu());
    HMENU current = nullptr; // the popup the items below belong to, owned by the bar
    for (const form::MenuRow &row : rows) {
        const UINT state = row.enabled ? MF_ENABLED : MF_GRAYED;
        switch (row.level) {
        case form::MenuLevel::Menu:
            current = CreatePopupMenu();
            AppendMenuW(bar.get(), MF_POPUP | MF_STRING | state,
                        reinterpret_cast<UINT_PTR>(current), itemText(row).c_str());
            break;
        case form::MenuLevel::Item:
            AppendMenuW(current, MF_STRING | state, menuId(rows, row), itemText(row).c_str());
            break;
        case form::MenuLevel::Separator:
            AppendMenuW(current, MF_SEPARATOR, 0, nullptr);
            break;
        case form::MenuLevel::BarCommand:
            AppendMenuW(bar.get(), MF_STRING | state, menuId(rows, row), itemText(row).c_str());
            break;
        }
    }
    return bar;
}

const form::MenuRow *menuRowOf(std::span<const form::MenuRow> rows, int id) {
    const int index = id - firstMenuId;
    if (index < 0 || index >= static_cast<int>(rows.size()))
        return nullptr;
    return &rows[static_cast<std::size_t>(index)];
}

} // namespace quorel::win32

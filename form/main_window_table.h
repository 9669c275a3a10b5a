#pragma once

#include "form/control_table.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorel::form {

enum class MenuLevel {
    Menu,       // on the menu bar, opens the items below it
    Item,       // in the menu above it
    Separator,  // a line in the menu above it
    BarCommand, // directly on the menu bar, without a submenu
};

enum class Modifier : unsigned {
    None = 0,
    Ctrl = 1,
    Shift = 2,
    Alt = 4,
};

constexpr Modifier operator|(Modifier a, Modifier b) {
    return static_cast<Modifier>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

constexpr bool holds(Modifier held, Modifier one) {
    return (static_cast<unsigned>(held) & static_cast<unsigned>(one)) != 0;
}

// A key with the modifiers held; each face writes it the way its menus show shortcuts.
struct Shortcut {
    char16_t key = 0; // 'A' to 'Z'; 0 for none
    Modifier modifiers = Modifier::None;
    explicit operator bool() const { return key != 0; }
    friend bool operator==(const Shortcut &, const Shortcut &) = default;
};

struct MenuRow {
    std::u16string_view name;
    MenuLevel level;
    std::u16string_view caption; // as shown, access letter included
    char16_t accessKey;          // 0 for none; its first occurrence in the caption is marked
    Shortcut shortcut;
    bool enabled;
    std::optional<Command> command;
};

// Where the access key stands in the caption, or npos.
std::size_t accessKeyIndex(const MenuRow &row);

// How a platform names the modifiers when it writes a shortcut out.
struct ModifierNames {
    std::u16string_view ctrl = u"Ctrl";
    std::u16string_view shift = u"Shift";
    std::u16string_view alt = u"Alt";
};

// The shortcut as menus write it, modifiers first, each followed by '+': "Ctrl+N".
std::u16string shortcutText(Shortcut shortcut, const ModifierNames &names = {});

// The caption with `marker` before its access key, as Qt and Win32 menus take it ("文件(&F)").
// A marker already in the caption is doubled so that it shows.
std::u16string captionWithMarker(const MenuRow &row, char16_t marker);

extern const WindowTable mainWindowTable;
extern const std::span<const MenuRow> mainMenuTable;

} // namespace quorel::form

#pragma once

// The form's tables as plain JavaScript objects, in CSS pixels, for the page to build its
// windows and menu bar from in one loop.

#include "form/command.h"
#include "form/shell.h"

#include <emscripten/val.h>

#include <optional>

namespace quorel::web {

// {name, title, width, height, controls: [{name, kind, caption, left, top, width, height, tab,
// font, accessibleName, accessibleDescription, command, field}], focusOrder: [control names]}.
// Geometry is in CSS pixels at 96 dpi, as the desktop faces draw it; command and field are -1
// where a row has none.
emscripten::val windowTable(int window);
// [{name, level, caption, accessKey, accessIndex, shortcut, shortcutText, enabled, command}]:
// the caption without its '&', the access letter and where it stands in the caption.
emscripten::val menuTable();
// {A: {families, points}, ...}: the faces each font code asks for, first found first used.
emscripten::val fontTable();
// The command Ctrl+letter runs, or -1, as the form decides: a text field keeps Ctrl+X (cut) to
// itself; everywhere else it runs the menu's 退出.
int shortcutCommand(int letter, bool inTextField);

std::optional<form::Command> commandFromIndex(int index);
std::optional<form::WindowId> windowFromIndex(int index);

} // namespace quorel::web

#include "web/table_export.h"

#include "form/about_window_table.h"
#include "form/font_table.h"
#include "form/key_action.h"
#include "form/main_window_table.h"

#include <string>
#include <string_view>

namespace quorel::web {

using emscripten::val;

namespace {

val text(std::u16string_view view) {
    return val(std::u16string(view));
}

int indexOf(const std::optional<form::Command> &command) {
    return command ? static_cast<int>(*command) : -1;
}

const char *kindName(form::ControlKind kind) {
    switch (kind) {
    case form::ControlKind::Label:
        return "label";
    case form::ControlKind::Paragraph:
        return "paragraph";
    case form::ControlKind::TextField:
        return "field";
    case form::ControlKind::Button:
        return "button";
    }
    return "";
}

const char *levelName(form::MenuLevel level) {
    switch (level) {
    case form::MenuLevel::Menu:
        return "menu";
    case form::MenuLevel::Item:
        return "item";
    case form::MenuLevel::Separator:
        return "separator";
    case form::MenuLevel::BarCommand:
        return "command";
    }
    return "";
}

const char *fontName(form::FontCode code) {
    switch (code) {
    case form::FontCode::A:
        return "A";
    case form::FontCode::B:
        return "B";
    case form::FontCode::C:
        return "C";
    case form::FontCode::D:
        return "D";
    }
    return "";
}

const form::WindowTable &tableOf(form::WindowId window) {
    switch (window) {
    case form::WindowId::Main:
        return form::mainWindowTable;
    case form::WindowId::About:
        return form::aboutWindowTable;
    }
    return form::mainWindowTable;
}

val controlObject(const form::ControlRow &row) {
    const form::PixelRect box = form::toPixels(row.geometry);
    val control = val::object();
    control.set("name", text(row.name));
    control.set("kind", val(kindName(row.kind)));
    control.set("caption", text(row.caption));
    control.set("left", box.left);
    control.set("top", box.top);
    control.set("width", box.width);
    control.set("height", box.height);
    control.set("tab", row.tab);
    control.set("font", val(fontName(row.font)));
    control.set("accessibleName", val(form::accessibleName(row)));
    control.set("accessibleDescription", text(form::accessibleDescription(row)));
    control.set("command", indexOf(row.command));
    control.set("field", row.field ? static_cast<int>(*row.field) : -1);
    return control;
}

// The form's families in its order, then the browser's own serif face for what none of them has.
val fontObject(const form::FontSpec &spec) {
    val families = val::array();
    for (const std::u16string_view family : spec.families)
        families.call<void>("push", text(family));
    families.call<void>("push", val(std::string("serif")));
    val font = val::object();
    font.set("families", families);
    font.set("points", spec.points);
    font.set("weight", static_cast<int>(spec.weight));
    return font;
}

std::u16string withModifiers(form::Shortcut shortcut, std::u16string_view ctrl,
                             std::u16string_view shift, std::u16string_view alt) {
    std::u16string result;
    if (form::holds(shortcut.modifiers, form::Modifier::Ctrl))
        result += ctrl;
    if (form::holds(shortcut.modifiers, form::Modifier::Shift))
        result += shift;
    if (form::holds(shortcut.modifiers, form::Modifier::Alt))
        result += alt;
    return result + shortcut.key;
}

// As the page's menus show it, the way desktop menus do: "Ctrl+N".
std::u16string menuShortcut(form::Shortcut shortcut) {
    return withModifiers(shortcut, u"Ctrl+", u"Shift+", u"Alt+");
}

// As aria-keyshortcuts spells it: "Control+N".
std::u16string ariaShortcut(form::Shortcut shortcut) {
    return withModifiers(shortcut, u"Control+", u"Shift+", u"Alt+");
}

} // namespace

val windowTable(int window) {
    const auto id = windowFromIndex(window);
    const form::WindowTable &table = tableOf(id.value_or(form::WindowId::Main));
    const form::PixelRect area = form::toPixels(table.clientArea);

    val controls = val::array();
    for (const form::ControlRow &row : table.controls)
        controls.call<void>("push", controlObject(row));
    val order = val::array();
    for (const form::ControlRow *row : form::focusOrder(table))
        order.call<void>("push", text(row->name));

    val object = val::object();
    object.set("name", text(table.name));
    object.set("title", text(table.title));
    object.set("width", area.width);
    object.set("height", area.height);
    object.set("controls", controls);
    object.set("focusOrder", order);
    return object;
}

val menuTable() {
    val rows = val::array();
    for (const form::MenuRow &row : form::mainMenuTable) {
        const std::size_t access = form::accessKeyIndex(row);
        val object = val::object();
        object.set("name", text(row.name));
        object.set("level", val(levelName(row.level)));
        object.set("caption", text(row.caption));
        object.set("accessKey",
                   val(access != std::u16string_view::npos ? std::u16string(1, row.accessKey)
                                                           : std::u16string()));
        object.set("accessIndex",
                   access != std::u16string_view::npos ? static_cast<int>(access) : -1);
        object.set("shortcut", val(row.shortcut ? ariaShortcut(row.shortcut) : std::u16string()));
        object.set("shortcutText",
                   val(row.shortcut ? menuShortcut(row.shortcut) : std::u16string()));
        object.set("enabled", row.enabled);
        object.set("command", indexOf(row.command));
        rows.call<void>("push", object);
    }
    return rows;
}

val fontTable() {
    val fonts = val::object();
    for (const form::FontCode code :
         {form::FontCode::A, form::FontCode::B, form::FontCode::C, form::FontCode::D})
        fonts.set(fontName(code), fontObject(form::fontSpec(code)));
    return fonts;
}

int shortcutCommand(int letter, bool inTextField) {
    if (letter < 'A' || letter > 'Z')
        return -1;
    const form::KeyAction action = form::keyAction(
        form::mainMenuTable, inTextField ? form::ControlKind::TextField : form::ControlKind::Button,
        {.key = static_cast<char16_t>(letter), .ctrl = true});
    return action.response == form::KeyResponse::RunCommand ? indexOf(action.command) : -1;
}

std::optional<form::Command> commandFromIndex(int index) {
    if (index < 0 || index > static_cast<int>(form::Command::EndProgram))
        return std::nullopt;
    return static_cast<form::Command>(index);
}

std::optional<form::WindowId> windowFromIndex(int index) {
    if (index < 0 || index > static_cast<int>(form::WindowId::About))
        return std::nullopt;
    return static_cast<form::WindowId>(index);
}

} // namespace quorel::web

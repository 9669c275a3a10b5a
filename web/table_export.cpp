#include "web/table_export.h"

#include "form/about_window_table.h"
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

// SimSun where it exists. Elsewhere letters and digits come from a face whose l, 1 and I differ
// (Inconsolata on Linux, Menlo on Apple systems, Consolas on Windows without SimSun), and
// Chinese from the Song face the system has: Songti on Apple systems, Noto Serif CJK or Source
// Han Serif on Android and ChromeOS, UMing on Linux.
constexpr const char16_t *songFamilies[] = {
    u"宋体",           u"SimSun",    u"NSimSun", u"Inconsolata",       u"Menlo",
    u"Consolas",       u"Songti SC", u"STSong",  u"Noto Serif CJK SC", u"Source Han Serif SC",
    u"AR PL UMing CN", u"serif",
};

val fontObject(double points) {
    val families = val::array();
    for (const char16_t *family : songFamilies)
        families.call<void>("push", val(std::u16string(family)));
    val font = val::object();
    font.set("families", families);
    font.set("points", points);
    return font;
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
        std::u16string caption(row.caption);
        int accessIndex = -1;
        char16_t accessKey = 0;
        if (const auto amp = caption.find(u'&');
            amp != std::u16string::npos && amp + 1 < caption.size()) {
            caption.erase(amp, 1);
            accessIndex = static_cast<int>(amp);
            accessKey = caption[amp];
        }
        val object = val::object();
        object.set("name", text(row.name));
        object.set("level", val(levelName(row.level)));
        object.set("caption", val(caption));
        object.set("accessKey", val(accessKey ? std::u16string(1, accessKey) : std::u16string()));
        object.set("accessIndex", accessIndex);
        object.set("shortcut",
                   val(row.shortcut ? std::u16string(1, row.shortcut.letter) : std::u16string()));
        object.set("shortcutText", val(form::shortcutText(row.shortcut)));
        object.set("enabled", row.enabled);
        object.set("command", indexOf(row.command));
        rows.call<void>("push", object);
    }
    return rows;
}

val fontTable() {
    val fonts = val::object();
    fonts.set("A", fontObject(12));
    fonts.set("B", fontObject(10.5));
    fonts.set("C", fontObject(15.75));
    fonts.set("D", fontObject(9));
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

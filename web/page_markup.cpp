#include "web/page_markup.h"

#include "form/about_window_table.h"
#include "form/calculations.h"
#include "form/font_table.h"
#include "form/main_window_table.h"
#include "web/page_texts.h"

#include <fmt/compile.h>
#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <string_view>

namespace quorel::web {

namespace {

constexpr std::array windows{&form::mainWindowTable, &form::aboutWindowTable};

// The line around each window, in CSS pixels on each side.
constexpr int windowBorder = 1;

std::string utf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD; // a lone surrogate has no UTF-8 form
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Text as element content or a double-quoted attribute value.
std::string escaped(std::u16string_view text) {
    std::string out;
    for (const char c : utf8(text)) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// A name inside a CSS string; the tables' names are plain words, but a quote or backslash would
// end the string early.
std::string cssString(std::u16string_view text) {
    std::string out = "\"";
    for (const char c : utf8(text)) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

// UTF-8 text as a JSON string, quotes included.
std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (static_cast<unsigned char>(c) < 0x20)
            out += fmt::format(FMT_COMPILE("\\u{:04x}"), static_cast<int>(c));
        else
            out += c;
    }
    return out + '"';
}

const char *kindClass(form::ControlKind kind) {
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

char fontLetter(form::FontCode code) {
    return static_cast<char>('A' + static_cast<int>(code));
}

// The caption with its access letter underlined, as a desktop menu shows it.
std::string captionWithAccessKey(const form::MenuRow &row) {
    const std::size_t access = form::accessKeyIndex(row);
    if (access == std::u16string_view::npos)
        return "<span>" + escaped(row.caption) + "</span>";
    return "<span>" + escaped(row.caption.substr(0, access)) + "<u>" +
           escaped(row.caption.substr(access, 1)) + "</u>" +
           escaped(row.caption.substr(access + 1)) + "</span>";
}

std::string menuItem(const form::MenuRow &row) {
    std::string item = "<button type=\"button\" tabindex=\"-1\" role=\"menuitem\" data-name=\"" +
                       escaped(row.name) + '"';
    if (form::accessKeyIndex(row) != std::u16string_view::npos)
        item += " data-access-key=\"" + escaped(std::u16string(1, row.accessKey)) + '"';
    if (row.command)
        item += fmt::format(FMT_COMPILE(" data-command=\"{}\""), static_cast<int>(*row.command));
    if (row.shortcut)
        item += " aria-keyshortcuts=\"" +
                escaped(form::shortcutText(row.shortcut, {.ctrl = u"Control"})) + '"';
    if (!row.enabled)
        item += " aria-disabled=\"true\"";
    if (row.level == form::MenuLevel::Menu)
        item += " aria-haspopup=\"menu\" aria-expanded=\"false\"";
    item += '>' + captionWithAccessKey(row);
    // As desktop menus show it: "Ctrl+N".
    if (row.shortcut)
        item += "<span>" + escaped(form::shortcutText(row.shortcut)) + "</span>";
    return item + "</button>";
}

std::string menuBar() {
    std::string bar = "<ul role=\"menubar\" aria-label=\"" + escaped(pageTexts.menuBar) + "\">";
    bool menuOpen = false;
    const auto closeMenu = [&] {
        if (menuOpen)
            bar += "</ul></li>";
        menuOpen = false;
    };
    for (const form::MenuRow &row : form::mainMenuTable) {
        switch (row.level) {
        case form::MenuLevel::Menu:
            closeMenu();
            bar += "<li role=\"none\">" + menuItem(row) + "<ul hidden role=\"menu\" aria-label=\"" +
                   escaped(row.caption) + "\">";
            menuOpen = true;
            break;
        case form::MenuLevel::BarCommand:
            closeMenu();
            bar += "<li role=\"none\">" + menuItem(row) + "</li>";
            break;
        case form::MenuLevel::Item:
            bar += "<li role=\"none\">" + menuItem(row) + "</li>";
            break;
        case form::MenuLevel::Separator:
            bar += "<li role=\"separator\"></li>";
            break;
        }
    }
    closeMenu();
    return bar + "</ul>";
}

// A field the user types a number into, as opposed to one a calculation writes its result to.
bool isEntryField(const form::ControlRow &row) {
    return row.field && !form::isResultField(*row.field);
}

std::string control(const form::ControlRow &row, int tab) {
    std::string common = fmt::format(FMT_COMPILE("class=\"control {}\" data-name=\"{}\""),
                                     kindClass(row.kind), escaped(row.name));
    if (tab >= 0)
        common += fmt::format(FMT_COMPILE(" data-tab=\"{}\""), tab);
    switch (row.kind) {
    case form::ControlKind::TextField:
        // A touch keyboard offers digits and the point for a number to type; the field still
        // takes whatever any keyboard sends.
        return fmt::format(FMT_COMPILE("<input {} data-field=\"{}\" type=\"text\"{} "
                                       "autocomplete=\"off\" spellcheck=\"false\" "
                                       "autocapitalize=\"off\" aria-label=\"{}\">"),
                           common, static_cast<int>(row.field.value_or(form::Field{})),
                           isEntryField(row) ? " inputmode=\"decimal\"" : "",
                           escaped(form::accessibleName(row)));
    case form::ControlKind::Button: {
        std::string button = "<button " + common + " type=\"button\"";
        if (row.command)
            button +=
                fmt::format(FMT_COMPILE(" data-command=\"{}\""), static_cast<int>(*row.command));
        button += " aria-label=\"" + escaped(form::accessibleName(row)) + '"';
        if (const std::u16string_view description = form::accessibleDescription(row);
            !description.empty())
            button += " aria-description=\"" + escaped(description) + '"';
        return button + '>' + escaped(row.caption) + "</button>";
    }
    case form::ControlKind::Label:
    case form::ControlKind::Paragraph:
        break;
    }
    return "<div " + common + '>' + escaped(row.caption) + "</div>";
}

// One group of controls. Where it holds a field, the labels before the field are its caption and
// those after it its unit; the desktop layout places every control by itself and ignores the
// groups, a one-column layout stacks them.
template <typename TabOf>
std::string groupMarkup(const form::WindowTable &table, const form::ControlGroup &group,
                        const TabOf &tabOf) {
    std::vector<const form::ControlRow *> rows;
    for (const std::u16string_view name : group) {
        if (!name.empty())
            rows.push_back(form::findRow(table, name));
    }
    const auto field = std::find_if(rows.begin(), rows.end(),
                                    [](const form::ControlRow *row) { return row->field; });
    if (field == rows.end()) {
        std::string markup = "<div class=\"group\">";
        for (const form::ControlRow *row : rows)
            markup += control(*row, tabOf(*row));
        return markup + "</div>";
    }
    const auto isLabel = [](const form::ControlRow *row) { return !form::takesFocus(*row); };
    const auto unitEnd = std::find_if_not(field + 1, rows.end(), isLabel);
    std::string markup = "<div class=\"group with-field\"><div class=\"caption\">";
    for (auto row = rows.begin(); row != field; ++row)
        markup += control(**row, tabOf(**row));
    markup += "</div>" + control(**field, tabOf(**field)) + "<div class=\"unit\">";
    for (auto row = field + 1; row != unitEnd; ++row)
        markup += control(**row, tabOf(**row));
    markup += "</div>";
    for (auto row = unitEnd; row != rows.end(); ++row)
        markup += control(**row, tabOf(**row));
    return markup + "</div>";
}

std::string windowMarkup(const form::WindowTable &table, int id) {
    const std::vector<const form::ControlRow *> order = form::focusOrder(table);
    const auto tabOf = [&](const form::ControlRow &row) {
        for (std::size_t i = 0; i < order.size(); ++i) {
            if (order[i] == &row)
                return static_cast<int>(i);
        }
        return -1;
    };

    std::string section =
        fmt::format(FMT_COMPILE("<section class=\"window\" id=\"window-{0}\" data-window=\"{1}\" "
                                "aria-labelledby=\"title-{0}\"{2}><div class=\"title-bar\"><h1 "
                                "id=\"title-{0}\">{3}</h1><button type=\"button\" tabindex=\"-1\" "
                                "aria-label=\"{4}\" data-name=\"close\">×</button></div>"),
                    id, escaped(table.name), id == 0 ? "" : " hidden", escaped(table.title),
                    escaped(pageTexts.closeButton));
    if (&table == &form::mainWindowTable)
        section += menuBar();
    section += "<div class=\"client\">";
    for (const form::ControlGroup &group : table.groups)
        section += groupMarkup(table, group, tabOf);
    return section + "</div></section>";
}

} // namespace

std::string windowsMarkup() {
    // The main window is drawn with the page; any other is a template, made into a window when
    // the form first asks for it.
    std::string markup = windowMarkup(*windows.front(), 0) + '\n';
    for (std::size_t id = 1; id < windows.size(); ++id)
        markup += fmt::format(FMT_COMPILE("<template data-window-template=\"{}\">{}</template>\n"),
                              id, windowMarkup(*windows[id], static_cast<int>(id)));
    return markup;
}

std::string layoutStyle() {
    std::string style = ":root {";
    for (const form::FontCode code :
         {form::FontCode::A, form::FontCode::B, form::FontCode::C, form::FontCode::D}) {
        const form::FontSpec &spec = form::fontSpec(code);
        // The form's families in its order, then the browser's own serif face for what none of
        // them has.
        std::string families;
        for (const std::u16string_view family : spec.families)
            families += cssString(family) + ", ";
        style +=
            fmt::format(FMT_COMPILE("\n--font-{0}: {1}serif; --points-{0}: {2}; "
                                    "--weight-{0}: {3};"),
                        fontLetter(code), families, spec.points, static_cast<int>(spec.weight));
    }
    style += fmt::format(FMT_COMPILE("\n--window-border: {};\n}}\n"), windowBorder);

    for (const form::WindowTable *table : windows) {
        const std::string window = "[data-window=" + cssString(table->name) + ']';
        const form::PixelRect area = form::toPixels(table->clientArea);
        style += fmt::format(FMT_COMPILE("{0} {{ --outer-width: {1}; }}\n"
                                         "{0} > .client {{ --width: {2}; --height: {3}; }}\n"),
                             window, area.width + 2 * windowBorder, area.width, area.height);
        for (const form::ControlRow &row : table->controls) {
            const form::PixelRect box = form::toPixels(row.geometry);
            style += fmt::format(
                FMT_COMPILE(
                    "{0} > .client [data-name={1}] {{ --left: {2}; --top: {3}; --width: {4}; "
                    "--height: {5}; --family: var(--font-{6}); --points: var(--points-{6}); "
                    "--weight: var(--weight-{6}); }}\n"),
                window, cssString(row.name), box.left, box.top, box.width, box.height,
                fontLetter(row.font));
        }
    }
    return style;
}

std::string touchMedia() {
    int widest = 0;
    for (const form::WindowTable *table : windows)
        widest = std::max(widest, form::toPixels(table->clientArea).width);
    // The desktop layout wants the window with its border and two pixels to either side of it;
    // a viewport narrower than that (or any viewport a finger works) gets the one-column layout.
    constexpr int beside = 2;
    return fmt::format(FMT_COMPILE("(pointer: coarse), (max-width: {}.98px)"),
                       widest + 2 * (windowBorder + beside) - 1);
}

std::string pageTitle() {
    return escaped(form::mainWindowTable.title);
}

std::string pageTextsJson() {
    std::string json = "{";
    for (const auto &[key, text] : {std::pair{"TEXT_OK", pageTexts.okButton},
                                    {"TEXT_ENDED_TITLE", pageTexts.endedTitle},
                                    {"TEXT_ENDED", pageTexts.ended},
                                    {"TEXT_RESTART", pageTexts.restartButton},
                                    {"TEXT_UNAVAILABLE", pageTexts.unavailable},
                                    {"TEXT_UNAVAILABLE_ADVICE", pageTexts.unavailableAdvice}}) {
        if (json.size() > 1)
            json += ',';
        json += fmt::format(FMT_COMPILE("\n\"{}\": {}"), key, jsonString(escaped(text)));
    }
    return json + "\n}\n";
}

std::string tablesJson() {
    std::string json = "[";
    for (const form::WindowTable *table : windows) {
        const form::PixelRect area = form::toPixels(table->clientArea);
        json += fmt::format(FMT_COMPILE("{}\n{{\"name\": {}, \"title\": {}, \"width\": {}, "
                                        "\"height\": {},\n \"controls\": ["),
                            json.size() > 1 ? "," : "", jsonString(utf8(table->name)),
                            jsonString(utf8(table->title)), area.width, area.height);
        for (std::size_t i = 0; i < table->controls.size(); ++i) {
            const form::ControlRow &row = table->controls[i];
            const form::PixelRect box = form::toPixels(row.geometry);
            json += fmt::format(
                FMT_COMPILE("{}\n  {{\"name\": {}, \"kind\": \"{}\", \"caption\": {}, "
                            "\"left\": {}, \"top\": {}, \"width\": {}, "
                            "\"height\": {}}}"),
                i ? "," : "", jsonString(utf8(row.name)), kindClass(row.kind),
                jsonString(utf8(row.caption)), box.left, box.top, box.width, box.height);
        }
        json += "],\n \"focusOrder\": [";
        const std::vector<const form::ControlRow *> order = form::focusOrder(*table);
        for (std::size_t i = 0; i < order.size(); ++i)
            json += (i ? ", " : "") + jsonString(utf8(order[i]->name));
        json += "]}";
    }
    return json + "\n]\n";
}

} // namespace quorel::web

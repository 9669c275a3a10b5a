// Writes the keys every face is tested with (form/tests/key_table.h) as JSON for the browser
// tests, with the names the page knows them by: a window's name, the focused control's name, the
// key as the browser's KeyboardEvent.code.
//   quorel_key_table_json <key-table.json>
#include "form/about_window_table.h"
#include "form/main_window_table.h"
#include "form/tests/key_table.h"

#include <cstdio>
#include <string>

namespace {

using namespace quorel::form;
using namespace quorel::form::testing;

// The tables' names are plain words without quotes or backslashes; UTF-16 to UTF-8 for the
// Basic Multilingual Plane is all they need.
std::string utf8(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string code(char16_t key) {
    if (key == enterKey)
        return "Enter";
    if (key == escapeKey)
        return "Escape";
    return std::string("Key") + static_cast<char>(key);
}

const char *outcomeName(KeyOutcome outcome) {
    switch (outcome) {
    case KeyOutcome::Nothing:
        return "nothing";
    case KeyOutcome::Calculates:
        return "calculates";
    case KeyOutcome::EmptiesFields:
        return "emptiesFields";
    case KeyOutcome::EndsProgram:
        return "endsProgram";
    case KeyOutcome::ReturnsToCalculator:
        return "returnsToCalculator";
    }
    return "";
}

const char *flag(Modifier held, Modifier one) {
    return holds(held, one) ? "true" : "false";
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fputs("usage: quorel_key_table_json <key-table.json>\n", stderr);
        return 2;
    }
    std::string json = "[";
    for (const KeyCase &c : keyTable) {
        const WindowTable &window = c.window == WindowId::Main ? mainWindowTable : aboutWindowTable;
        if (json.size() > 1)
            json += ',';
        json += std::string("\n{\"name\": \"") + c.name + "\", \"window\": \"" + utf8(window.name) +
                "\", \"focus\": \"" + utf8(focusedName(c)) + "\", \"code\": \"" + code(c.key.key) +
                "\", \"ctrl\": " + flag(c.key.modifiers, Modifier::Ctrl) +
                ", \"shift\": " + flag(c.key.modifiers, Modifier::Shift) +
                ", \"alt\": " + flag(c.key.modifiers, Modifier::Alt) + ", \"outcome\": \"" +
                outcomeName(c.outcome) + "\"}";
    }
    json += "\n]\n";
    std::FILE *file = std::fopen(argv[1], "wb");
    if (!file)
        return 1;
    const bool written = std::fwrite(json.data(), 1, json.size(), file) == json.size();
    return std::fclose(file) == 0 && written ? 0 : 1;
}

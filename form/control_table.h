#pragma once

// Both windows are declared as tables of named controls, in twips as they were designed. A face
// builds its widgets from these rows; the behaviour behind them is in form/calculator_form.h.

#include "form/command.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorel::form {

enum class ControlKind {
    Label,     // one-line caption, top-left aligned
    Paragraph, // caption wrapped inside its box
    TextField, // single-line, editable, no length limit
    Button,
};

// Families, size and weight of each code are in form/font_table.h.
enum class FontCode { A, B, C, D };
inline constexpr int fontCodeCount = 4;

// The nine text fields of the calculator, in the order Text1 to Text9.
enum class Field {
    TargetMass,         // Text1, g
    TargetPercent,      // Text2, %
    ConcentratePercent, // Text3, %
    ConcentrateMass,    // Text4, g, a result
    ConcentrateDensity, // Text5, g/cm3
    ConcentrateVolume,  // Text6, ml, a result
    SolventMass,        // Text7, g, a result
    SolventDensity,     // Text8, g/cm3
    SolventVolume,      // Text9, ml, a result
};
inline constexpr int fieldCount = 9;

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelRect &, const PixelRect &) = default;
};

struct ControlRow {
    std::u16string_view name; // the object name faces, tests and accessibility tools see
    ControlKind kind;
    std::u16string_view caption;
    TwipRect geometry;
    int tab;       // focus order; labels are numbered too but never take the focus
    FontCode font; // see fontSpec()
    std::optional<Command> command = {}; // what a click runs; buttons only
    std::optional<Field> field = {};     // which field this is; text fields only
    // For a text field, its accessible name (it shows no caption). For a button, what it does, in
    // more words than its caption: the accessible description.
    std::u16string_view accessibleText = {};
};

// Controls that belong together when a window is laid out in one column (a narrow screen, a
// finger): a field with the labels before it (its caption) and after it (its unit), a calculation
// button with the result it writes. Names in the order they stand; unused places are empty.
using ControlGroup = std::array<std::u16string_view, 5>;

struct WindowTable {
    std::u16string_view name;
    std::u16string_view title;
    TwipRect clientArea; // left and top: the design position on screen
    std::span<const ControlRow> controls;
    // Every control in exactly one group; the groups in reading order.
    std::span<const ControlGroup> groups;
};

// The tables were drawn at 96 dpi, where a pixel is 15 twips: pixels = twips × dpi / 1440,
// rounded to the nearest pixel.
int toPixels(int twips, int dpi = 96);
PixelRect toPixels(const TwipRect &twips, int dpi = 96);

// What a screen reader announces for a control: a field's own name, a button's caption as it
// shows, its spacing blanks included, so that the name holds what a user sees ("退   出"),
// nothing for a label, which reads as text.
std::u16string accessibleName(const ControlRow &row);
// The longer explanation of a button; empty for every other control.
std::u16string_view accessibleDescription(const ControlRow &row);

// Text fields and buttons take the keyboard focus; labels never do.
bool takesFocus(const ControlRow &row);
// The rows that take the focus, in the order Tab walks them; the first has the focus when the
// window first shows.
std::vector<const ControlRow *> focusOrder(const WindowTable &table);

// The row of `table` called `name`; null where there is none.
const ControlRow *findRow(const WindowTable &table, std::u16string_view name);

} // namespace quorel::form

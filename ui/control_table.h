#pragma once

// Both windows are declared as tables of named controls, in twips as they were designed, and
// built by buildWindow. toPixels is the one place where twips become pixels.

#include "ui/text_bridge.h"

#include <QWidget>

#include <span>
#include <string_view>

namespace quorel::ui {

enum class ControlKind {
    Label,     // one-line caption, top-left aligned
    Paragraph, // caption wrapped inside its box
    TextField, // single-line, editable, no length limit
    Button,
};

enum class FontCode {
    A, // Song, 12 pt
    B, // Song, 10.5 pt
    C, // Song, 15.75 pt
    D, // the window's own default font, small enough to read as an exponent next to A
};

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct ControlRow {
    std::u16string_view name;
    ControlKind kind;
    std::u16string_view caption;
    TwipRect geometry;
    int tab; // focus order; labels are numbered too but never take the focus
    FontCode font;
    std::u16string_view accessibleName; // for text fields and buttons
};

struct WindowTable {
    std::u16string_view name;
    std::u16string_view title;
    TwipRect clientArea; // left and top: the design position on screen
    std::span<const ControlRow> controls;
};

// Gives `surface` the table's fixed client size and creates every control on it. The window
// itself gets the name, title and default font; `surface` is the window or its central widget.
QRect toPixels(const TwipRect &twips);

void buildWindow(QWidget *window, QWidget *surface, const WindowTable &table);

// Moves a window to the table's design position on screen.
void placeWindow(QWidget *window, const WindowTable &table);

// The control called `name`, built from the table of `window`.
template <typename Control> Control *findControl(const QWidget *window, std::u16string_view name) {
    return window->findChild<Control *>(qtText(name));
}

} // namespace quorel::ui

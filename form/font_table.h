#pragma once

#include "form/control_table.h"

#include <span>
#include <string_view>

namespace quorel::form {

enum class FontWeight {
    Regular = 400,
    Bold = 700,
};

// How the controls of one font code are drawn. A face that falls back character by character
// asks for `families` in this order and takes the first one installed for each character. A face
// that draws each caption in a single face takes the first installed of `chineseFamilies`: those
// of `families` that carry Chinese glyphs, in the same order.
// Where `systemFontStandsIn`, a face whose system draws dialog text in a font of its own
// (Windows' message font) draws the code in that font, at the system's size, instead of these
// families; the Qt face and the page, which have none, take the families.
struct FontSpec {
    std::span<const std::u16string_view> families;
    std::span<const std::u16string_view> chineseFamilies;
    double points;
    FontWeight weight;
    bool systemFontStandsIn;
};

const FontSpec &fontSpec(FontCode code);

} // namespace quorel::form

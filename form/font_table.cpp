#include "form/font_table.h"

#include <array>

namespace quorel::form {

namespace {

// SimSun where it exists, for everything. Elsewhere letters and digits come from a monospaced
// face whose l, 1 and I stay apart at every scale and whose half-em advance keeps every
// caption's width: Inconsolata on Linux, Menlo on Apple systems, Consolas on Windows without
// SimSun. Chinese then comes from a Song face: UMing first, of the same build as SimSun and with
// its metrics (the tables were measured in SimSun), then Songti on Apple systems, Noto Serif CJK
// or Source Han Serif elsewhere.
constexpr std::array<std::u16string_view, 11> songFamilies{
    u"宋体",
    u"SimSun",
    u"NSimSun",
    u"Inconsolata",
    u"Menlo",
    u"Consolas",
    u"AR PL UMing CN",
    u"Songti SC",
    u"STSong",
    u"Noto Serif CJK SC",
    u"Source Han Serif SC",
};

// D is the window's own font: small enough to read as an exponent next to A.
constexpr std::array fonts{
    FontSpec{songFamilies, 12, FontWeight::Regular},    // A
    FontSpec{songFamilies, 10.5, FontWeight::Regular},  // B
    FontSpec{songFamilies, 15.75, FontWeight::Regular}, // C
    FontSpec{songFamilies, 9, FontWeight::Regular},     // D
};

} // namespace

const FontSpec &fontSpec(FontCode code) {
    return fonts[static_cast<std::size_t>(code)];
}

} // namespace quorel::form

#include "form/font_table.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace quorel::form {

namespace {

struct Family {
    std::u16string_view name;
    bool chinese; // carries Chinese glyphs, not only letters and digits
};

// SimSun where it exists, for everything. Elsewhere letters and digits come from a monospaced
// face whose l, 1 and I stay apart at every scale and whose half-em advance keeps every
// caption's width: Inconsolata on Linux, Menlo on Apple systems, Consolas on Windows without
// SimSun. Chinese then comes from a Song face: UMing first, of the same build as SimSun and with
// its metrics (the tables were measured in SimSun), then Songti on Apple systems, Noto Serif CJK
// or Source Han Serif elsewhere.
constexpr std::array songTable{
    Family{u"宋体", true},
    Family{u"SimSun", true},
    Family{u"NSimSun", true},
    Family{u"Inconsolata", false},
    Family{u"Menlo", false},
    Family{u"Consolas", false},
    Family{u"AR PL UMing CN", true},
    Family{u"Songti SC", true},
    Family{u"STSong", true},
    Family{u"Noto Serif CJK SC", true},
    Family{u"Source Han Serif SC", true},
};

constexpr bool any(const Family &) {
    return true;
}

constexpr bool chinese(const Family &family) {
    return family.chinese;
}

// The names of the families of songTable that `keep` keeps, in the table's order.
template <bool (*keep)(const Family &)> constexpr auto songNames() {
    std::array<std::u16string_view, std::count_if(songTable.begin(), songTable.end(), keep)>
        names{};
    std::size_t next = 0;
    for (const Family &family : songTable) {
        if (keep(family))
            names[next++] = family.name;
    }
    return names;
}

constexpr auto songFamilies = songNames<any>();
constexpr auto chineseSongFamilies = songNames<chinese>();

// D is the window's own font: small enough to read as an exponent next to A, and where the
// system has a font for dialog text, that one, as the window's own font is on that system.
constexpr std::array fonts{
    FontSpec{songFamilies, chineseSongFamilies, 12, FontWeight::Regular, false},    // A
    FontSpec{songFamilies, chineseSongFamilies, 10.5, FontWeight::Regular, false},  // B
    FontSpec{songFamilies, chineseSongFamilies, 15.75, FontWeight::Regular, false}, // C
    FontSpec{songFamilies, chineseSongFamilies, 9, FontWeight::Regular, true},      // D
};
static_assert(fonts.size() == fontCodeCount);

} // namespace

const FontSpec &fontSpec(FontCode code) {
    return fonts[static_cast<std::size_t>(code)];
}

} // namespace quorel::form

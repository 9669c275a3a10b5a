#include "win32/font_set.h"

#include "win32/dpi.h"

#include <cmath>

namespace quorel::win32 {

namespace {

HFONT songFont(double points, UINT dpi) {
    // Where 宋体 is missing, the GB2312 character set lets GDI pick a Song face that has the
    // glyphs.
    const int height = -static_cast<int>(std::lround(points * dpi / 72.0));
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"宋体");
}

HFONT createFont(form::FontCode code, UINT dpi) {
    switch (code) {
    case form::FontCode::A:
        return songFont(12, dpi);
    case form::FontCode::B:
        return songFont(10.5, dpi);
    case form::FontCode::C:
        return songFont(15.75, dpi);
    case form::FontCode::D: {
        const LOGFONTW font = messageFont(dpi);
        return CreateFontIndirectW(&font);
    }
    }
    return nullptr;
}

} // namespace

FontSet::FontSet(UINT dpi) {
    for (form::FontCode code :
         {form::FontCode::A, form::FontCode::B, form::FontCode::C, form::FontCode::D})
        m_fonts[static_cast<int>(code)].reset(createFont(code, dpi));
}

HFONT FontSet::font(form::FontCode code) const {
    return m_fonts[static_cast<int>(code)].get();
}

} // namespace quorel::win32

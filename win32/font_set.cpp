#include "win32/font_set.h"

#include "form/font_table.h"
#include "win32/dpi.h"
#include "win32/wide_text.h"

#include <cmath>
#include <cwchar>
#include <string>

namespace quorel::win32 {

namespace {

// The Song font of a code at `dpi`, before any face is chosen: size and weight from the form's font
// table. The GB2312 character set lets GDI pick a face that has the glyphs where the named one is
// missing.
LOGFONTW songFont(const form::FontSpec &spec, UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -static_cast<int>(std::lround(spec.points * dpi / 72.0));
    font.lfWeight = static_cast<LONG>(spec.weight);
    font.lfCharSet = GB2312_CHARSET;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    return font;
}

LOGFONTW codeFont(form::FontCode code, UINT dpi) {
    // D has no font of its own: the window's default, which is smaller than A.
    if (code == form::FontCode::D)
        return messageFont(dpi);
    return songFont(form::fontSpec(code), dpi);
}

LOGFONTW withFace(LOGFONTW font, const wchar_t *face) {
    std::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = L'\0';
    return font;
}

struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};

bool fitsIn(HDC dc, HFONT font, const form::ControlRow &row, const form::PixelRect &box) {
    const HGDIOBJ previous = SelectObject(dc, font);
    const bool fits = captionFits(dc, row, box);
    SelectObject(dc, previous);
    return fits;
}

} // namespace

bool captionFits(HDC dc, const form::ControlRow &row, const form::PixelRect &box) {
    TEXTMETRICW metrics;
    if (!GetTextMetricsW(dc, &metrics) || metrics.tmHeight > box.height)
        return false;
    const std::wstring caption = wide(row.caption);
    if (row.kind == form::ControlKind::Paragraph) {
        // As the static control wraps it; a word longer than the line widens the rectangle.
        RECT wrapped{0, 0, box.width, 0};
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &wrapped,
                  DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        return wrapped.bottom <= box.height && wrapped.right <= box.width;
    }
    SIZE line{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &line);
    return line.cx <= box.width;
}

FontHandle fittingFont(const form::ControlRow &row, UINT dpi,
                       std::span<const wchar_t *const> faces) {
    const form::PixelRect box = form::toPixels(row.geometry, static_cast<int>(dpi));
    const LOGFONTW wanted = codeFont(row.font, dpi);
    // The message font is the system's choice, not a Song face: only its size gives way.
    const bool song = row.font != form::FontCode::D;
    const std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter> dc(CreateCompatibleDC(nullptr));

    if (song) {
        for (const wchar_t *face : faces) {
            const LOGFONTW font = withFace(wanted, face);
            FontHandle candidate(CreateFontIndirectW(&font));
            if (fitsIn(dc.get(), candidate.get(), row, box))
                return candidate;
        }
    }
    LOGFONTW smaller = song ? withFace(wanted, faces.front()) : wanted;
    // A pixel smaller at a time, down to half the size; the smallest where even that overflows.
    const int full = std::abs(wanted.lfHeight);
    for (int pixels = song ? full - 1 : full;; --pixels) {
        smaller.lfHeight = -pixels;
        FontHandle candidate(CreateFontIndirectW(&smaller));
        if (pixels <= full / 2 || fitsIn(dc.get(), candidate.get(), row, box))
            return candidate;
    }
}

FontSet::FontSet(const form::WindowTable &table, UINT dpi) : m_rows(table.controls) {
    m_fonts.reserve(m_rows.size());
    for (const form::ControlRow &row : m_rows)
        m_fonts.push_back(fittingFont(row, dpi));
}

HFONT FontSet::font(const form::ControlRow &row) const {
    return m_fonts[static_cast<std::size_t>(&row - m_rows.data())].get();
}

} // namespace quorel::win32

#include "win32/font_set.h"

#include "form/font_table.h"
#include "win32/dpi.h"
#include "win32/wide_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cwchar>
#include <memory>
#include <string>
#include <type_traits>

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

LOGFONTW withFace(LOGFONTW font, const wchar_t *face) {
    std::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = L'\0';
    return font;
}

struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using DcHandle = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

bool isSong(form::FontCode code) {
    return code != form::FontCode::D;
}

bool fitsIn(HDC dc, HFONT font, const form::ControlRow &row, UINT dpi) {
    const HGDIOBJ previous = SelectObject(dc, font);
    const bool fits = captionFits(dc, row, form::toPixels(row.geometry, static_cast<int>(dpi)));
    SelectObject(dc, previous);
    return fits;
}

// How many of the Song-font captions of `rows` fit their boxes in `face` at their codes' sizes.
std::size_t songCaptionsFitting(HDC dc, std::span<const form::ControlRow> rows, UINT dpi,
                                const wchar_t *face) {
    std::array<FontHandle, 4> fonts; // by code, each made when a row first needs it
    std::size_t fitting = 0;
    for (const form::ControlRow &row : rows) {
        if (!isSong(row.font))
            continue;
        FontHandle &font = fonts[static_cast<std::size_t>(row.font)];
        if (!font) {
            const LOGFONTW wanted = withFace(songFont(form::fontSpec(row.font), dpi), face);
            font.reset(CreateFontIndirectW(&wanted));
        }
        if (fitsIn(dc, font.get(), row, dpi))
            ++fitting;
    }
    return fitting;
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

const wchar_t *windowSongFace(HDC dc, std::span<const form::ControlRow> rows, UINT dpi,
                              std::span<const wchar_t *const> faces) {
    const auto song = static_cast<std::size_t>(
        std::ranges::count_if(rows, [](const form::ControlRow &row) { return isSong(row.font); }));
    const wchar_t *best = faces.front();
    std::size_t mostFitting = 0;
    for (const wchar_t *face : faces) {
        const std::size_t fitting = songCaptionsFitting(dc, rows, dpi, face);
        if (fitting == song)
            return face;
        if (fitting > mostFitting) {
            best = face;
            mostFitting = fitting;
        }
    }
    return best;
}

FontHandle fittingFont(HDC dc, const form::ControlRow &row, UINT dpi, const wchar_t *songFace) {
    // The message font is the system's choice, not a Song face: only its size gives way.
    LOGFONTW font = isSong(row.font) ? withFace(songFont(form::fontSpec(row.font), dpi), songFace)
                                     : messageFont(dpi);
    // A pixel smaller at a time, down to half the size; the smallest where even that overflows.
    const int full = std::abs(font.lfHeight);
    for (int pixels = full;; --pixels) {
        font.lfHeight = -pixels;
        FontHandle candidate(CreateFontIndirectW(&font));
        if (pixels <= full / 2 || fitsIn(dc, candidate.get(), row, dpi))
            return candidate;
    }
}

FontSet::FontSet(const form::WindowTable &table, UINT dpi, std::span<const wchar_t *const> faces)
    : m_rows(table.controls) {
    // One memory DC measures every caption of the window.
    const DcHandle dc(CreateCompatibleDC(nullptr));
    const wchar_t *const songFace = windowSongFace(dc.get(), m_rows, dpi, faces);
    m_fonts.reserve(m_rows.size());
    for (const form::ControlRow &row : m_rows)
        m_fonts.push_back(fittingFont(dc.get(), row, dpi, songFace));
}

HFONT FontSet::font(const form::ControlRow &row) const {
    return m_fonts[static_cast<std::size_t>(&row - m_rows.data())].get();
}

} // namespace quorel::win32

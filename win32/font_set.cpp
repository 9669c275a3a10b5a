#include "win32/font_set.h"

#include "win32/dpi.h"
#include "win32/wide_text.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

namespace quorel::win32 {

namespace {

// The Song font of a code at `dpi`, before any face is chosen: size and weight from the form's font
// table. The GB2312 character set lets GDI pick a face that has the glyphs where the named one is
// missing.
LOGFONTW songFont(form::FontCode code, UINT dpi) {
    const form::FontSpec &spec = form::fontSpec(code);
    LOGFONTW font{};
    font.lfHeight = -static_cast<int>(std::lround(spec.points * dpi / 72.0));
    font.lfWeight = static_cast<LONG>(spec.weight);
    font.lfCharSet = GB2312_CHARSET;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    return font;
}

LOGFONTW withFace(LOGFONTW font, std::u16string_view face) {
    const std::size_t length = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
    std::copy_n(face.begin(), length, font.lfFaceName);
    font.lfFaceName[length] = L'\0';
    return font;
}

struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using DcHandle = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

// A code drawn in the window's Song face; the others in the system's message font, as the font
// table says.
bool isSong(form::FontCode code) {
    return !form::fontSpec(code).systemFontStandsIn;
}

bool fitsIn(HDC dc, HFONT font, const form::ControlRow &row, UINT dpi) {
    const HGDIOBJ previous = SelectObject(dc, font);
    const bool fits = captionFits(dc, row, form::toPixels(row.geometry, static_cast<int>(dpi)));
    SelectObject(dc, previous);
    return fits;
}

int CALLBACK noteFace(const LOGFONTW *, const TEXTMETRICW *, DWORD, LPARAM found) {
    *reinterpret_cast<bool *>(found) = true;
    return 0; // one is enough
}

// Whether GDI has a face of that name with Chinese glyphs, asked without making a font: for a
// name it lacks, selecting a font has GDI look through every face for one to give in its stead.
bool hasChineseFace(HDC dc, std::u16string_view name) {
    LOGFONTW wanted = withFace({}, name);
    wanted.lfCharSet = GB2312_CHARSET;
    bool found = false;
    EnumFontFamiliesExW(dc, &wanted, noteFace, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// What a face is measured for: whether GDI must have it under its own name, with Chinese glyphs,
// and how many captions may overflow before it is of no use, as it could no longer fit more than a
// face measured before.
struct Wanted {
    bool named;
    std::size_t overflowsAllowed;
};

// `rows`' Song captions measured at their codes' full sizes in `face`, or nothing where the face
// is not `wanted`: a missing name is told before any caption is measured, too many overflowing
// captions as soon as they are.
std::optional<SongFace> measuredFace(HDC dc, std::span<const form::ControlRow> rows, UINT dpi,
                                     std::u16string_view face, Wanted wanted) {
    if (wanted.named && !hasChineseFace(dc, face))
        return std::nullopt;
    SongFace measured{face, {}, std::vector<bool>(rows.size()), 0};
    std::size_t overflowing = 0;
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const form::ControlRow &row = rows[index];
        if (!isSong(row.font))
            continue;
        FontHandle &font = measured.fullSize[static_cast<std::size_t>(row.font)];
        if (!font) {
            const LOGFONTW asked = withFace(songFont(row.font, dpi), face);
            font.reset(CreateFontIndirectW(&asked));
        }
        if (fitsIn(dc, font.get(), row, dpi)) {
            measured.fitsAtFullSize[index] = true;
            ++measured.fitting;
        } else if (++overflowing > wanted.overflowsAllowed) {
            return std::nullopt;
        }
    }
    return measured;
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

SongFace windowSongFace(HDC dc, std::span<const form::ControlRow> rows, UINT dpi,
                        std::span<const std::u16string_view> faces) {
    const auto song = static_cast<std::size_t>(
        std::ranges::count_if(rows, [](const form::ControlRow &row) { return isSong(row.font); }));
    std::optional<SongFace> best;
    for (const std::u16string_view face : faces) {
        // A later face takes the place of an earlier one only where more captions fit in it.
        const std::size_t allowed = best ? song - best->fitting - 1 : song;
        std::optional<SongFace> measured = measuredFace(dc, rows, dpi, face, {true, allowed});
        if (!measured)
            continue;
        if (measured->fitting == song)
            return std::move(*measured);
        best = std::move(measured);
    }
    if (best)
        return std::move(*best);
    // A system with none of them still has a face for the character set, and GDI knows which.
    const std::u16string_view first = faces.empty() ? std::u16string_view{} : faces.front();
    return std::move(*measuredFace(dc, rows, dpi, first, {false, song}));
}

FontHandle shrunkToFit(HDC dc, const form::ControlRow &row, UINT dpi, LOGFONTW font) {
    const int full = std::abs(font.lfHeight);
    for (int pixels = full - 1;; --pixels) {
        font.lfHeight = -pixels;
        FontHandle candidate(CreateFontIndirectW(&font));
        if (pixels <= full / 2 || fitsIn(dc, candidate.get(), row, dpi))
            return candidate;
    }
}

FontSet::FontSet(const form::WindowTable &table, UINT dpi,
                 std::span<const std::u16string_view> faces)
    : m_rows(table.controls) {
    // One memory DC measures every caption of the window.
    const DcHandle dc(CreateCompatibleDC(nullptr));
    SongFace song = windowSongFace(dc.get(), m_rows, dpi, faces);
    // The message font is the system's choice, not a Song face: only its size gives way.
    const LOGFONTW message = messageFont(dpi);
    FontHandle messageFull(CreateFontIndirectW(&message));

    m_fonts.reserve(m_rows.size());
    for (std::size_t index = 0; index < m_rows.size(); ++index) {
        const form::ControlRow &row = m_rows[index];
        const bool isSongRow = isSong(row.font);
        const HFONT full =
            isSongRow ? song.fullSize[static_cast<std::size_t>(row.font)].get() : messageFull.get();
        const bool fits = isSongRow ? song.fitsAtFullSize[index] : fitsIn(dc.get(), full, row, dpi);
        if (fits) {
            m_fonts.push_back(full);
            continue;
        }
        const LOGFONTW asked = isSongRow ? withFace(songFont(row.font, dpi), song.name) : message;
        m_owned.push_back(shrunkToFit(dc.get(), row, dpi, asked));
        m_fonts.push_back(m_owned.back().get());
    }
    // The full-size fonts live as long as the set, whether a row uses them or not.
    for (FontHandle &font : song.fullSize) {
        if (font)
            m_owned.push_back(std::move(font));
    }
    m_owned.push_back(std::move(messageFull));
}

HFONT FontSet::font(const form::ControlRow &row) const {
    return m_fonts[static_cast<std::size_t>(&row - m_rows.data())];
}

} // namespace quorel::win32

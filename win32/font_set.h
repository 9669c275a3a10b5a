#pragma once

#include "form/control_table.h"
#include "form/font_table.h"
#include "win32/handles.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace quorel::win32 {

// The faces tried, in order, for the Song font of the tables: the form's families that carry
// Chinese glyphs, since GDI draws a caption in the one face it selects and does not fall back
// character by character. The tables were measured in SimSun; where 宋体 is missing, faces with
// SimSun's metrics come next.
inline std::span<const std::u16string_view> songFaces() {
    return form::fontSpec(form::FontCode::A).chineseFamilies;
}

// The Song face of one window at one DPI, with what choosing it measured: its font at each Song
// code's full size and which captions fit their boxes there.
struct SongFace {
    // The name the fonts ask GDI for: a face GDI has, or, where it has none of the faces tried,
    // the first of them, for which it gives a face of its own with the Chinese character set.
    std::u16string_view name;
    // By font code; made for the Song codes the rows use.
    std::array<FontHandle, form::fontCodeCount> fullSize;
    std::vector<bool> fitsAtFullSize; // by row; false for rows in the message font
    std::size_t fitting = 0;          // how many are true
};

// The face every Song-font control of one window (`rows`) is drawn in at `dpi`, so that the window
// reads in one face: the first of `faces` that GDI has, with Chinese glyphs, and in which every one
// of their captions fits its box at its code's size. Where none fits them all, the one in which
// the most fit, the earlier on a tie: the fewest controls then give way in size. Where GDI has none
// of `faces`, the face it gives for the first of them. Captions are measured in the font GDI
// actually selects into `dc`; a face GDI does not have costs no font, and one that can no longer
// fit more captions than an earlier one is measured no further.
SongFace windowSongFace(HDC dc, std::span<const form::ControlRow> rows, UINT dpi,
                        std::span<const std::u16string_view> faces = songFaces());

// `font`, which `row`'s caption overflows at `dpi`, as much smaller as it takes for the caption to
// fit its box: a pixel smaller at a time, down to half its size, the smallest where even that
// overflows. The font is measured as GDI actually selects it into `dc`.
FontHandle shrunkToFit(HDC dc, const form::ControlRow &row, UINT dpi, LOGFONTW font);

// Whether `row`'s caption drawn in the font selected into `dc` fits `box`: a line no taller than
// the box, a label or button no wider, and a paragraph wrapped to the box's width no taller.
bool captionFits(HDC dc, const form::ControlRow &row, const form::PixelRect &box);

// The fonts of every row of one table at one DPI: its code's font — the window's Song face at the
// code's size, or the system's message font where the font table lets it stand in (D, small
// enough beside A to read as an exponent) — where the caption fits its box in it, or else the
// same face as much smaller as it takes. Rows whose caption fits share their code's font.
class FontSet final {
  public:
    FontSet() = default; // none yet
    FontSet(const form::WindowTable &table, UINT dpi,
            std::span<const std::u16string_view> faces = songFaces());
    // `row` is one of the table's rows.
    HFONT font(const form::ControlRow &row) const;

  private:
    std::span<const form::ControlRow> m_rows;
    std::vector<FontHandle> m_owned; // every font it made
    std::vector<HFONT> m_fonts;      // one for each of m_rows
};

} // namespace quorel::win32

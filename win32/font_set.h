#pragma once

#include "form/control_table.h"
#include "win32/handles.h"

#include <span>
#include <vector>

namespace quorel::win32 {

// The faces tried, in order, for the Song font of the tables. The tables were measured in SimSun;
// where 宋体 is missing, GDI may give a face with taller lines (a modern CJK face's line is about
// 1.45 em against SimSun's 1.0), so faces with SimSun's metrics come next.
inline constexpr const wchar_t *songFaces[] = {L"宋体", L"AR PL UMing CN", L"黑体"};

// The face every Song-font control of one window (`rows`) is drawn in at `dpi`, so that the window
// reads in one face: the first of `faces` in which every one of their captions fits its box at its
// code's size. Where none fits them all, the face in which the most fit, the earlier on a tie: the
// fewest controls then give way in size. Each face is measured in the font GDI actually selects
// into `dc`.
const wchar_t *windowSongFace(HDC dc, std::span<const form::ControlRow> rows, UINT dpi,
                              std::span<const wchar_t *const> faces = songFaces);

// The font `row`'s caption is drawn in at `dpi`: its code's font — `songFace` at 12, 10.5 and
// 15.75 pt for A, B and C, the system's message font for D, small enough beside A to read as an
// exponent — where the caption fits its box in it, or else the same face as much smaller as it
// takes, measured in the font GDI actually selects into `dc`.
FontHandle fittingFont(HDC dc, const form::ControlRow &row, UINT dpi, const wchar_t *songFace);

// Whether `row`'s caption drawn in the font selected into `dc` fits `box`: a line no taller than
// the box, a label or button no wider, and a paragraph wrapped to the box's width no taller.
bool captionFits(HDC dc, const form::ControlRow &row, const form::PixelRect &box);

// The fonts of every row of one table at one DPI, its Song-font rows in the table's one face.
class FontSet final {
  public:
    FontSet() = default; // none yet
    FontSet(const form::WindowTable &table, UINT dpi,
            std::span<const wchar_t *const> faces = songFaces);
    // `row` is one of the table's rows.
    HFONT font(const form::ControlRow &row) const;

  private:
    std::span<const form::ControlRow> m_rows;
    std::vector<FontHandle> m_fonts; // one for each of m_rows
};

} // namespace quorel::win32

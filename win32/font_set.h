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

// The font `row`'s caption is drawn in at `dpi`: its code's font — "宋体" at 12, 10.5 and
// 15.75 pt for A, B and C, the system's message font for D, small enough beside A to read as an
// exponent — where the caption fits its box in it. Otherwise the next face of `faces` that fits
// at that size, or failing them all, the first face as much smaller as it takes, each measured in
// the font GDI actually selects.
FontHandle fittingFont(const form::ControlRow &row, UINT dpi,
                       std::span<const wchar_t *const> faces = songFaces);

// Whether `row`'s caption drawn in the font selected into `dc` fits `box`: a line no taller than
// the box, a label or button no wider, and a paragraph wrapped to the box's width no taller.
bool captionFits(HDC dc, const form::ControlRow &row, const form::PixelRect &box);

// The fonts of every row of one table at one DPI.
class FontSet final {
  public:
    FontSet() = default; // none yet
    FontSet(const form::WindowTable &table, UINT dpi);
    // `row` is one of the table's rows.
    HFONT font(const form::ControlRow &row) const;

  private:
    std::span<const form::ControlRow> m_rows;
    std::vector<FontHandle> m_fonts; // one for each of m_rows
};

} // namespace quorel::win32

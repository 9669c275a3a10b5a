#pragma once

#include "form/control_table.h"
#include "win32/handles.h"

#include <array>

namespace quorel::win32 {

// The four fonts of the tables at one DPI: "宋体" at 12, 10.5 and 15.75 pt for A, B and C; the
// system's message font for D, small enough beside A to read as an exponent.
class FontSet final {
  public:
    FontSet() = default; // none yet
    explicit FontSet(UINT dpi);
    HFONT font(form::FontCode code) const;

  private:
    std::array<FontHandle, 4> m_fonts;
};

} // namespace quorel::win32

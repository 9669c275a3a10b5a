// Every caption of both windows, in the font the face gives its row, measured in this process
// against its box at the DPIs the program is drawn at, whatever face GDI gives for 宋体; the one
// face each window's Song captions share; and a glyph for every character of every caption.

#include "win32/font_set.h"
#include "win32/wide_text.h"

#include "form/about_window_table.h"
#include "form/font_table.h"
#include "form/main_window_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cwchar>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace quorel::win32 {
namespace {

struct Measured {
    int lineHeight;
    SIZE text; // one line, or the paragraph wrapped to its box's width
    std::wstring face;
};

Measured measure(HFONT font, const form::ControlRow &row, const form::PixelRect &box) {
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, font);
    Measured measured{};
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    measured.lineHeight = metrics.tmHeight;
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    measured.face = face;
    const std::wstring caption = wide(row.caption);
    if (row.kind == form::ControlKind::Paragraph) {
        RECT wrapped{0, 0, box.width, 0};
        DrawTextW(dc, caption.c_str(), -1, &wrapped, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        measured.text = {wrapped.right, wrapped.bottom};
    } else {
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()),
                              &measured.text);
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    return measured;
}

std::string utf8(const std::wstring &text) {
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes;
}

bool fits(const Measured &measured, const form::PixelRect &box) {
    return measured.lineHeight <= box.height && measured.text.cx <= box.width &&
           measured.text.cy <= box.height;
}

// The pixel height of a Song code's font before anything gives way.
int fullPixels(form::FontCode code, UINT dpi) {
    return static_cast<int>(std::lround(form::fontSpec(code).points * dpi / 72.0));
}

struct FitCase {
    const char *name;
    std::vector<std::u16string_view> faces;
    UINT dpi;
};

bool sameFaceName(const std::wstring &a, const std::wstring &b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

void PrintTo(const FitCase &fit, std::ostream *out) {
    *out << fit.name << " at " << fit.dpi << " dpi";
}

class CaptionFit : public testing::TestWithParam<FitCase> {
  protected:
    static constexpr const form::WindowTable *tables[] = {&form::mainWindowTable,
                                                          &form::aboutWindowTable};
};

TEST_P(CaptionFit, EveryCaptionFitsItsBoxAtNoSmallerSizeThanItTakes) {
    const FitCase &fit = GetParam();
    for (const form::WindowTable *table : tables) {
        const FontSet fonts(*table, fit.dpi, fit.faces);
        for (const form::ControlRow &row : table->controls) {
            const form::PixelRect box = form::toPixels(row.geometry, static_cast<int>(fit.dpi));
            const HFONT font = fonts.font(row);
            const Measured measured = measure(font, row, box);
            SCOPED_TRACE(testing::Message()
                         << utf8(wide(row.name)) << " \"" << utf8(wide(row.caption)) << "\" in "
                         << utf8(measured.face) << ": line " << measured.lineHeight << ", text "
                         << measured.text.cx << "x" << measured.text.cy << ", box " << box.width
                         << "x" << box.height);
            EXPECT_TRUE(fits(measured, box));

            // Made smaller only as far as it takes: a pixel larger in the same face overflows.
            LOGFONTW chosen{};
            GetObjectW(font, sizeof chosen, &chosen);
            if (form::fontSpec(row.font).systemFontStandsIn ||
                -chosen.lfHeight >= fullPixels(row.font, fit.dpi))
                continue;
            --chosen.lfHeight;
            const FontHandle larger(CreateFontIndirectW(&chosen));
            EXPECT_FALSE(fits(measure(larger.get(), row, box), box));
        }
    }
}

// A window's Song captions read in one face: the first face GDI has under its name in which every
// one of them fits at its full size, or where none fits them all, the face in which the most fit
// (the earlier on a tie), the others made smaller in it; where GDI has none of the faces, the one
// it gives for the first in their stead.
TEST_P(CaptionFit, SongCaptionsOfAWindowShareTheFirstFaceThatFitsThemAll) {
    const FitCase &fit = GetParam();
    for (const form::WindowTable *table : tables) {
        SCOPED_TRACE(utf8(wide(table->name)));
        const FontSet fonts(*table, fit.dpi, fit.faces);
        std::vector<const form::ControlRow *> song;
        for (const form::ControlRow &row : table->controls) {
            if (!form::fontSpec(row.font).systemFontStandsIn)
                song.push_back(&row);
        }
        ASSERT_FALSE(song.empty());

        // How many of the Song captions fit in `face` at their codes' full sizes, and the face
        // GDI gives for it.
        const auto fittingIn = [&](std::u16string_view face, std::wstring &given) {
            std::size_t fitting = 0;
            for (const form::ControlRow *row : song) {
                const form::PixelRect box =
                    form::toPixels(row->geometry, static_cast<int>(fit.dpi));
                // The row's own font, in `face` at its code's full size.
                LOGFONTW full{};
                GetObjectW(fonts.font(*row), sizeof full, &full);
                full.lfHeight = -fullPixels(row->font, fit.dpi);
                std::wcsncpy(full.lfFaceName, wide(face).c_str(), LF_FACESIZE - 1);
                const FontHandle font(CreateFontIndirectW(&full));
                const Measured measured = measure(font.get(), *row, box);
                given = measured.face;
                fitting += fits(measured, box) ? 1 : 0;
            }
            return fitting;
        };
        std::wstring expected;
        std::size_t mostFitting = 0;
        for (const std::u16string_view face : fit.faces) {
            std::wstring given;
            const std::size_t fitting = fittingIn(face, given);
            if (!sameFaceName(given, wide(face)))
                continue; // GDI has another face in its stead
            if (expected.empty() || fitting > mostFitting) {
                expected = given;
                mostFitting = fitting;
            }
            if (fitting == song.size())
                break;
        }
        if (expected.empty())
            mostFitting = fittingIn(fit.faces.front(), expected);
        SCOPED_TRACE(testing::Message() << mostFitting << " of " << song.size()
                                        << " Song captions fit in " << utf8(expected));

        for (const form::ControlRow *row : song) {
            const form::PixelRect box = form::toPixels(row->geometry, static_cast<int>(fit.dpi));
            EXPECT_EQ(utf8(measure(fonts.font(*row), *row, box).face), utf8(expected))
                << utf8(wide(row->name)) << " \"" << utf8(wide(row->caption)) << '"';
        }
    }
}

// GDI draws a caption in the one face it selects, without falling back to another for a
// character that face lacks: every character must be in the row's font.
TEST_P(CaptionFit, EveryCharacterOfACaptionHasAGlyphInItsFont) {
    const FitCase &fit = GetParam();
    for (const form::WindowTable *table : tables) {
        const FontSet fonts(*table, fit.dpi, fit.faces);
        const HDC dc = CreateCompatibleDC(nullptr);
        for (const form::ControlRow &row : table->controls) {
            const HGDIOBJ previous = SelectObject(dc, fonts.font(row));
            const std::wstring caption = wide(row.caption);
            std::vector<WORD> glyphs(caption.size());
            const DWORD converted =
                GetGlyphIndicesW(dc, caption.c_str(), static_cast<int>(caption.size()),
                                 glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
            wchar_t face[LF_FACESIZE] = {};
            GetTextFaceW(dc, LF_FACESIZE, face);
            SelectObject(dc, previous);
            SCOPED_TRACE(testing::Message() << utf8(wide(row.name)) << " in " << utf8(face));
            ASSERT_EQ(converted, caption.size());
            for (std::size_t index = 0; index < caption.size(); ++index) {
                EXPECT_NE(glyphs[index], 0xFFFF)
                    << "no glyph for \"" << utf8(caption.substr(index, 1)) << '"';
            }
        }
        DeleteDC(dc);
    }
}

// A face no system has.
constexpr std::u16string_view missingFace = u"Quorel Missing Song";

std::vector<FitCase> fitCases() {
    std::vector<FitCase> cases;
    for (UINT dpi : {96u, 144u, 192u}) {
        // What the program uses, then each face GDI may give for 宋体 on its own, one GDI lacks
        // before one it has, and none it has.
        cases.push_back({"songFaces", {songFaces().begin(), songFaces().end()}, dpi});
        cases.push_back({"notoSansCjk", {u"Noto Sans CJK SC"}, dpi});
        cases.push_back({"umingOnly", {u"AR PL UMing CN"}, dpi});
        // GDI gives a face for a name it does not have, here Noto Sans, whose line is taller.
        cases.push_back({"missingThenNotoSerif", {missingFace, u"Noto Serif CJK SC"}, dpi});
        cases.push_back({"noneInstalled", {missingFace}, dpi});
        // Faces GDI has whose lines are taller than SimSun's, before and after UMing.
        cases.push_back({"sansThenUming", {u"Noto Sans CJK SC", u"AR PL UMing CN"}, dpi});
        cases.push_back({"sansThenSerif", {u"Noto Sans CJK SC", u"Noto Serif CJK SC"}, dpi});
        cases.push_back({"umingThenSerif", {u"AR PL UMing CN", u"Noto Serif CJK SC"}, dpi});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(BothWindows, CaptionFit, testing::ValuesIn(fitCases()),
                         [](const testing::TestParamInfo<FitCase> &info) {
                             return std::string(info.param.name) + "At" +
                                    std::to_string(info.param.dpi) + "Dpi";
                         });

} // namespace
} // namespace quorel::win32

// Which face a window's Song captions get, on small tables whose boxes leave room for one line of
// some faces and not of others: at 96 dpi font A is 16 px, and a line of it is 16 px in UMing
// (SimSun's metrics) and 24 px in Noto Sans CJK, which is also the face GDI gives here for a name
// it does not have.

#include "win32/font_set.h"

#include "form/control_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace quorel::win32 {
namespace {

constexpr UINT dpi = 96;
constexpr std::u16string_view uming = u"AR PL UMing CN";
constexpr std::u16string_view notoSans = u"Noto Sans CJK SC";
constexpr std::u16string_view missing = u"Quorel Missing Song";

// A label of font A whose box is `pixels` high and wide enough for its caption in any face.
constexpr form::ControlRow label(int pixels) {
    return {u"label", form::ControlKind::Label, u"溶液", {0, 0, 900, pixels * 15},
            0,        form::FontCode::A};
}

constexpr form::ControlRow roomy = label(30);  // a line of either face
constexpr form::ControlRow middle = label(20); // a line of UMing only
constexpr form::ControlRow narrow = label(10); // neither
// In the message font, which no Song face is measured for.
constexpr form::ControlRow exponent{u"exponent", form::ControlKind::Label, u"3", {0, 0, 300, 450},
                                    0,           form::FontCode::D};

struct FaceCase {
    const char *name;
    std::vector<std::u16string_view> faces;
    std::vector<form::ControlRow> rows;
    std::u16string_view chosen;
    std::vector<bool> fitsAtFullSize;
};

void PrintTo(const FaceCase &face, std::ostream *out) {
    *out << face.name;
}

class SongFaceChoice : public testing::TestWithParam<FaceCase> {};

TEST_P(SongFaceChoice, ChoosesTheFaceAndKeepsWhichCaptionsFitAtFullSize) {
    const FaceCase &expected = GetParam();
    const HDC dc = CreateCompatibleDC(nullptr);
    const SongFace face = windowSongFace(dc, expected.rows, dpi, expected.faces);

    EXPECT_EQ(std::u16string(face.name), std::u16string(expected.chosen));
    EXPECT_EQ(face.fitsAtFullSize, expected.fitsAtFullSize);
    EXPECT_EQ(face.fitting,
              static_cast<std::size_t>(std::ranges::count(face.fitsAtFullSize, true)));
    // What was measured is font A at its full size, in the face GDI gives for the chosen name.
    const HFONT full = face.fullSize[static_cast<std::size_t>(form::FontCode::A)].get();
    ASSERT_NE(full, nullptr);
    LOGFONTW font{};
    GetObjectW(full, sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -16);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t *>(font.lfFaceName)),
              std::u16string(expected.chosen));
    DeleteDC(dc);
}

INSTANTIATE_TEST_SUITE_P(
    SmallTables, SongFaceChoice,
    testing::Values(
        FaceCase{"theFirstThatFitsThemAll",
                 {notoSans, uming},
                 {roomy, exponent},
                 notoSans,
                 {true, false}},
        FaceCase{"aLaterFaceThatFitsThemAll",
                 {notoSans, uming},
                 {roomy, middle, exponent},
                 uming,
                 {true, true, false}},
        FaceCase{"aLaterFaceThatFitsOneMore",
                 {notoSans, uming},
                 {roomy, narrow, middle},
                 uming,
                 {true, false, true}},
        FaceCase{"anEarlierFaceThatFitsOneMore",
                 {uming, notoSans},
                 {middle, narrow, roomy},
                 uming,
                 {true, false, true}},
        FaceCase{
            "aTieKeepsTheEarlier", {notoSans, uming}, {roomy, narrow}, notoSans, {true, false}},
        // GDI's face in its stead would tie with UMing and, coming first, take the window.
        FaceCase{"aFaceGdiLacksIsPassedOver",
                 {missing, uming, notoSans},
                 {roomy, narrow},
                 uming,
                 {true, false}},
        // Tahoma has no Chinese glyphs: GDI would give another face for it, here Noto Sans.
        FaceCase{"aFaceWithoutChineseIsPassedOver",
                 {u"Tahoma", uming},
                 {roomy, narrow},
                 uming,
                 {true, false}},
        FaceCase{"gdisOwnFaceWhereItHasNone",
                 {missing},
                 {roomy, middle, narrow, exponent},
                 missing,
                 {true, false, false, false}}),
    [](const testing::TestParamInfo<FaceCase> &info) { return std::string(info.param.name); });

} // namespace
} // namespace quorel::win32

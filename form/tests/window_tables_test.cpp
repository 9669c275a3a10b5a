// The window and menu tables as the faces read them: every command reachable, every field in
// its place, names a screen reader can say, and twips turned into pixels at any resolution.

#include "form/about_window_table.h"
#include "form/calculations.h"
#include "form/control_names.h"
#include "form/font_table.h"
#include "form/main_window_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace quorel::form;

namespace {

const WindowTable *const windows[] = {&mainWindowTable, &aboutWindowTable};

TEST(Tables, TwipsBecomePixelsAtTheScreensResolution) {
    const struct {
        int twips, dpi, pixels;
    } cases[] = {
        {15, 96, 1},      {1440, 96, 96},   {1440, 144, 144}, {6075, 96, 405}, {6075, 120, 506},
        {6075, 144, 608}, {4110, 192, 548}, {7, 96, 0},       {8, 96, 1},      {0, 288, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(toPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
    EXPECT_EQ(toPixels(TwipRect{3105, 2595, 6075, 4110}), (PixelRect{207, 173, 405, 274}));
}

TEST(Tables, EveryButtonRunsACommandAndNothingElseCarriesOne) {
    for (const WindowTable *table : windows) {
        for (const ControlRow &row : table->controls) {
            EXPECT_EQ(row.command.has_value(), row.kind == ControlKind::Button)
                << std::string(row.name.begin(), row.name.end()).size();
            EXPECT_EQ(row.field.has_value(), row.kind == ControlKind::TextField);
        }
    }
}

TEST(Tables, EveryCommandCanBeChosen) {
    std::set<Command> reachable;
    for (const WindowTable *table : windows) {
        for (const ControlRow &row : table->controls) {
            if (row.command)
                reachable.insert(*row.command);
        }
    }
    for (const MenuRow &row : mainMenuTable) {
        if (row.command)
            reachable.insert(*row.command);
    }
    // ResetFields is the menu's 新建 (and the load action); the rest are buttons or menu items.
    EXPECT_EQ(reachable.size(), 9u);
}

// The calculation buttons on the calculator each write their own result field.
TEST(Tables, CalculationButtonsAndTheirResultFields) {
    const struct {
        std::u16string_view button;
        Field result;
        bool emptiedAfterMessage;
    } cases[] = {
        {main_names::concentrateMassButton, Field::ConcentrateMass, true},
        {main_names::concentrateVolumeButton, Field::ConcentrateVolume, false},
        {main_names::solventMassButton, Field::SolventMass, false},
        {main_names::solventVolumeButton, Field::SolventVolume, false},
    };
    for (const auto &c : cases) {
        const ControlRow *row = findRow(mainWindowTable, c.button);
        ASSERT_NE(row, nullptr);
        ASSERT_TRUE(row->command);
        const auto rule = calculationRule(*row->command);
        ASSERT_TRUE(rule);
        EXPECT_EQ(rule->result, c.result);
        EXPECT_EQ(rule->emptyResultOnMessage, c.emptiedAfterMessage);
    }
    EXPECT_FALSE(calculationRule(Command::ResetFields));
}

// Laid out in one column, every control stands in one group, each field with its own labels and
// each calculation button right after the result it writes.
TEST(Tables, GroupsHoldEveryControlOnceWithTheResultBeforeItsButton) {
    for (const WindowTable *table : windows) {
        std::multiset<std::u16string_view> grouped;
        for (const ControlGroup &group : table->groups) {
            int fields = 0;
            for (std::size_t i = 0; i < group.size(); ++i) {
                if (group[i].empty())
                    continue;
                const ControlRow *row = findRow(*table, group[i]);
                ASSERT_NE(row, nullptr) << i;
                grouped.insert(group[i]);
                fields += row->field.has_value();
                const auto rule = row->command ? calculationRule(*row->command) : std::nullopt;
                if (!rule)
                    continue;
                const auto writesResult = [&](std::u16string_view name) {
                    const ControlRow *other = findRow(*table, name);
                    return other && other->field == rule->result;
                };
                EXPECT_TRUE(std::any_of(group.begin(), group.begin() + i, writesResult))
                    << static_cast<int>(rule->result);
            }
            EXPECT_LE(fields, 1);
        }
        EXPECT_EQ(grouped.size(), table->controls.size());
        for (const ControlRow &row : table->controls)
            EXPECT_EQ(grouped.count(row.name), 1u);
    }
}

TEST(Tables, TheNineFieldsAreText1ToText9InOrder) {
    std::set<Field> seen;
    for (const ControlRow &row : mainWindowTable.controls) {
        if (!row.field)
            continue;
        const int index = static_cast<int>(*row.field);
        EXPECT_EQ(row.name, main_names::fields[index]);
        EXPECT_EQ(row.name, u"Text" + std::u16string(1, static_cast<char16_t>(u'1' + index)));
        seen.insert(*row.field);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(fieldCount));
    EXPECT_TRUE(std::none_of(aboutWindowTable.controls.begin(), aboutWindowTable.controls.end(),
                             [](const ControlRow &row) { return row.field.has_value(); }));
}

TEST(Tables, NamesAndFocusPositionsAreUniqueInEachWindow) {
    for (const WindowTable *table : windows) {
        std::set<std::u16string_view> names;
        std::set<int> tabs;
        for (const ControlRow &row : table->controls) {
            EXPECT_TRUE(names.insert(row.name).second);
            EXPECT_TRUE(tabs.insert(row.tab).second);
        }
    }
}

// Tab walks the fields and buttons by their focus positions; labels are left out.
TEST(Tables, FocusOrder) {
    std::vector<std::u16string_view> main;
    for (const ControlRow *row : focusOrder(mainWindowTable))
        main.push_back(row->name);
    EXPECT_EQ(main, (std::vector<std::u16string_view>{u"Text1", u"Text2", u"Text3", u"Command1",
                                                      u"Text4", u"Text5", u"Text6", u"体积计算",
                                                      u"Text7", u"Command2", u"Text8", u"Text9",
                                                      u"溶剂体积计算", u"Command4"}));
    std::vector<std::u16string_view> about;
    for (const ControlRow *row : focusOrder(aboutWindowTable))
        about.push_back(row->name);
    EXPECT_EQ(about, (std::vector<std::u16string_view>{u"Command1", u"Command2"}));
}

// A screen reader says what a button shows, spacing blanks included, so that the name holds
// the caption a user sees and saying the caption finds it; the longer
// explanation is its description. Fields show no caption and keep names of their own.
TEST(Tables, AccessibleNamesHoldWhatTheControlShows) {
    const struct {
        const WindowTable *table;
        std::u16string_view control;
        std::u16string name;
        std::u16string_view description;
    } cases[] = {
        {&mainWindowTable, main_names::concentrateMassButton, u"浓溶液质量计算",
         u"计算所需浓溶液质量"},
        {&mainWindowTable, main_names::exitButton, u"退   出", u"退出程序"},
        {&mainWindowTable, main_names::solventVolumeButton, u"溶剂体积计算", u"计算所需溶剂体积"},
        {&mainWindowTable, u"Text1", u"配制溶液质量（克）", u""},
        {&mainWindowTable, u"Text9", u"溶剂体积（毫升）", u""},
        {&aboutWindowTable, about_names::returnButton, u"返回", u"返回计算窗口"},
        {&mainWindowTable, main_names::volumeLabel, u"", u""},
    };
    for (const auto &c : cases) {
        const ControlRow *row = findRow(*c.table, c.control);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(accessibleName(*row), c.name);
        EXPECT_EQ(accessibleDescription(*row), c.description);
    }

    for (const WindowTable *table : windows) {
        std::set<std::u16string> names;
        for (const ControlRow &row : table->controls) {
            if (row.kind != ControlKind::Button && row.kind != ControlKind::TextField)
                continue;
            const std::u16string name = accessibleName(row);
            EXPECT_FALSE(name.empty());
            EXPECT_TRUE(names.insert(name).second);
            if (row.kind == ControlKind::Button) {
                EXPECT_EQ(name, row.caption);
                EXPECT_FALSE(accessibleDescription(row).empty());
            }
        }
    }
}

TEST(Tables, MenuShortcuts) {
    const struct {
        std::u16string_view item;
        Shortcut shortcut;
        std::optional<Command> command;
    } cases[] = {
        {menu_names::newFields, {u'N', Modifier::Ctrl}, Command::ResetFields},
        {menu_names::exit, {u'X', Modifier::Ctrl}, Command::ExitFromCalculator},
        {menu_names::about, {}, Command::OpenAbout},
        {menu_names::dilution, {}, std::nullopt},
    };
    for (const auto &c : cases) {
        const auto row = std::find_if(mainMenuTable.begin(), mainMenuTable.end(),
                                      [&c](const MenuRow &r) { return r.name == c.item; });
        ASSERT_NE(row, mainMenuTable.end());
        EXPECT_EQ(row->shortcut, c.shortcut);
        EXPECT_EQ(row->command, c.command);
    }
}

TEST(Tables, ShortcutText) {
    const ModifierNames aria{.ctrl = u"Control"};
    const struct {
        Shortcut shortcut;
        ModifierNames names;
        std::u16string_view text;
    } cases[] = {
        {{u'N', Modifier::Ctrl}, {}, u"Ctrl+N"},
        {{u'N', Modifier::Ctrl}, aria, u"Control+N"},
        {{u'X', Modifier::Alt | Modifier::Shift | Modifier::Ctrl}, {}, u"Ctrl+Shift+Alt+X"},
        {{u'F', Modifier::None}, {}, u"F"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(shortcutText(c.shortcut, c.names), c.text);
}

// Every access key is shown in its caption, and none is taken twice within one menu or on
// the bar, or Alt+letter could not tell them apart.
TEST(Tables, MenuAccessKeysAreShownAndDistinct) {
    std::u16string bar, items;
    for (const MenuRow &row : mainMenuTable) {
        if (row.level == MenuLevel::Separator)
            continue;
        ASSERT_NE(accessKeyIndex(row), std::u16string_view::npos);
        std::u16string &taken = row.level == MenuLevel::Item ? items : bar;
        if (row.level == MenuLevel::Menu)
            items.clear();
        EXPECT_EQ(taken.find(row.accessKey), std::u16string::npos);
        taken += row.accessKey;
    }
}

TEST(Tables, CaptionWithMarker) {
    const struct {
        MenuRow row;
        std::u16string marked;
    } cases[] = {
        {{u"a", MenuLevel::Menu, u"文件(F)", u'F', {}, true, {}}, u"文件(&F)"},
        {{u"b", MenuLevel::Item, u"F&G(G)", u'G', {}, true, {}}, u"F&&&G(G)"},
        {{u"c", MenuLevel::Item, u"无", 0, {}, true, {}}, u"无"},
        {{u"d", MenuLevel::Item, u"无", u'Q', {}, true, {}}, u"无"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(captionWithMarker(c.row, u'&'), c.marked);
}

TEST(Tables, FontSizesAndFamilies) {
    EXPECT_EQ(fontSpec(FontCode::A).points, 12);
    EXPECT_EQ(fontSpec(FontCode::B).points, 10.5);
    EXPECT_EQ(fontSpec(FontCode::C).points, 15.75);
    EXPECT_LT(fontSpec(FontCode::D).points, fontSpec(FontCode::A).points);
    // Only the window's own font gives way to a system's dialog font.
    EXPECT_FALSE(fontSpec(FontCode::A).systemFontStandsIn);
    EXPECT_FALSE(fontSpec(FontCode::B).systemFontStandsIn);
    EXPECT_FALSE(fontSpec(FontCode::C).systemFontStandsIn);
    EXPECT_TRUE(fontSpec(FontCode::D).systemFontStandsIn);
    for (const FontCode code : {FontCode::A, FontCode::B, FontCode::C, FontCode::D}) {
        EXPECT_EQ(fontSpec(code).weight, FontWeight::Regular);
        ASSERT_FALSE(fontSpec(code).families.empty());
        EXPECT_EQ(fontSpec(code).families.front(), u"宋体");
    }
}

// A face that draws a caption in one family tries the Chinese ones in the order in which a face
// falling back character by character reaches them, SimSun's own name first.
TEST(Tables, ChineseFamiliesAreAmongTheFamiliesInTheirOrder) {
    for (const FontCode code : {FontCode::A, FontCode::B, FontCode::C, FontCode::D}) {
        const FontSpec &spec = fontSpec(code);
        ASSERT_FALSE(spec.chineseFamilies.empty());
        EXPECT_EQ(spec.chineseFamilies.front(), u"宋体");
        auto next = spec.families.begin();
        for (const std::u16string_view family : spec.chineseFamilies) {
            next = std::find(next, spec.families.end(), family);
            ASSERT_NE(next, spec.families.end())
                << "a Chinese family missing from the families, or out of their order";
            ++next;
        }
    }
}

} // namespace

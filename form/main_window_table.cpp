#include "form/main_window_table.h"

#include "form/control_names.h"

#include <array>

namespace quorel::form {

namespace {

using enum ControlKind;
using enum FontCode;
using enum Field;
using enum Command;
using namespace main_names;

constexpr std::u16string_view text(Field field) {
    return fields[static_cast<int>(field)];
}

// Reading order: top to bottom, then left to right.
constexpr std::array controls{
    // clang-format off
    ControlRow{u"Label16",               Label,     u"浓 溶 液 配 稀 溶 液", {1680,  120, 3495, 375}, 36, C},
    ControlRow{u"配制溶液质量",          Label,     u"配制溶液质量：",       { 120,  600, 1695, 255},  5, A},
    ControlRow{text(TargetMass),         TextField, {},                      {1920,  600, 1215, 375},  0, A, {}, TargetMass, u"配制溶液质量（克）"},
    ControlRow{u"克",                    Label,     u"克",                   {3240,  600,  375, 375},  8, A},
    ControlRow{u"Label1",                Label,     u"浓度：",               {3720,  600,  735, 255},  9, A},
    ControlRow{text(TargetPercent),      TextField, {},                      {4440,  600, 1095, 375},  1, A, {}, TargetPercent, u"配制溶液浓度（%）"},
    ControlRow{u"Label2",                Label,     u"%",                    {5640,  600,  255, 375}, 11, A},
    ControlRow{u"浓溶液",                Label,     u"浓溶液：",             { 120, 1080,  975, 255},  2, A},
    ControlRow{u"浓度",                  Label,     u"浓度：",               {1080, 1080,  735, 255},  3, A},
    ControlRow{text(ConcentratePercent), TextField, {},                      {1920, 1080,  975, 375},  6, A, {}, ConcentratePercent, u"浓溶液浓度（%）"},
    ControlRow{u"百分号",                Label,     u"%",                    {3000, 1080,  255, 375},  4, A},
    ControlRow{u"Label3",                Label,     u"所需质量：",           {3240, 1080, 1215, 375}, 12, A},
    ControlRow{text(ConcentrateMass),    TextField, {},                      {4440, 1080, 1095, 375}, 10, A, {}, ConcentrateMass, u"所需浓溶液质量（克）"},
    ControlRow{u"Label4",                Label,     u"克",                   {5640, 1080,  255, 375}, 13, A},
    ControlRow{firstExponent,            Label,     u"3",                    {3720, 1440,  255, 255}, 17, D},
    ControlRow{u"Label5",                Label,     u"密度：",               {1080, 1560,  735, 255}, 14, A},
    ControlRow{text(ConcentrateDensity), TextField, {},                      {1920, 1560,  975, 375}, 15, A, {}, ConcentrateDensity, u"浓溶液密度（克/立方厘米）"},
    ControlRow{u"Label6",                Label,     u"克/厘米",              {2880, 1560,  975, 375}, 16, A},
    ControlRow{volumeLabel,              Label,     u"体积：",               {3840, 1560,  735, 255}, 18, A},
    ControlRow{text(ConcentrateVolume),  TextField, {},                      {4440, 1560, 1095, 375}, 19, A, {}, ConcentrateVolume, u"所需浓溶液体积（毫升）"},
    ControlRow{u"Label9",                Label,     u"ml",                   {5640, 1560,  375, 255}, 20, A},
    ControlRow{concentrateMassButton,    Button,    u"浓溶液质量计算",       {1200, 2040, 1815, 375},  7, B, CalculateConcentrateMass, {}, u"计算所需浓溶液质量"},
    ControlRow{concentrateVolumeButton,  Button,    u"浓溶液体积计算",       {3360, 2040, 1815, 375}, 21, B, CalculateConcentrateVolume, {}, u"计算所需浓溶液体积"},
    ControlRow{text(SolventMass),        TextField, {},                      {2280, 2520, 1215, 390}, 24, A, {}, SolventMass, u"所需溶剂质量（克）"},
    ControlRow{solventMassButton,        Button,    u"溶剂质量计算",         {4200, 2520, 1695, 375}, 26, B, CalculateSolventMass, {}, u"计算所需溶剂质量"},
    ControlRow{u"溶质",                  Label,     u"溶 剂：",              { 120, 2640,  855, 375}, 22, A},
    ControlRow{u"所需质量",              Label,     u"所需质量：",           {1080, 2640, 1215, 255}, 23, A},
    ControlRow{u"Label10",               Label,     u"克",                   {3600, 2640,  255, 255}, 25, A},
    ControlRow{text(SolventDensity),     TextField, {},                      {1800, 3000, 1215, 375}, 28, A, {}, SolventDensity, u"溶剂密度（克/立方厘米）"},
    ControlRow{secondExponent,           Label,     u"3",                    {3960, 3000,  255, 255}, 35, D},
    ControlRow{solventVolumeButton,      Button,    u"溶剂体积计算",         {4200, 3000, 1695, 375}, 33, B, CalculateSolventVolume, {}, u"计算所需溶剂体积"},
    ControlRow{u"Label11",               Label,     u"密度：",               {1080, 3120,  735, 255}, 27, A},
    ControlRow{u"Label12",               Label,     u"克/厘米",              {3120, 3120,  975, 255}, 29, A},
    ControlRow{text(SolventVolume),      TextField, {},                      {1800, 3480, 1215, 375}, 31, A, {}, SolventVolume, u"溶剂体积（毫升）"},
    ControlRow{u"Label14",               Label,     u"ml",                   {3120, 3480,  255, 255}, 32, A},
    ControlRow{exitButton,               Button,    u"退   出",              {4200, 3480, 1695, 375}, 34, B, ExitFromCalculator, {}, u"退出程序"},
    ControlRow{u"Label13",               Label,     u"体积：",               {1080, 3600,  855, 375}, 30, A},
    // clang-format on
};

// Each field's result button comes after the result it writes.
constexpr std::array groups{
    // clang-format off
    ControlGroup{u"Label16"},
    ControlGroup{u"配制溶液质量", text(TargetMass),         u"克"},
    ControlGroup{u"Label1",       text(TargetPercent),      u"Label2"},
    ControlGroup{u"浓溶液",       u"浓度",                  text(ConcentratePercent), u"百分号"},
    ControlGroup{u"Label3",       text(ConcentrateMass),    u"Label4",  concentrateMassButton},
    ControlGroup{u"Label5",       text(ConcentrateDensity), u"Label6",  firstExponent},
    ControlGroup{volumeLabel,     text(ConcentrateVolume),  u"Label9",  concentrateVolumeButton},
    ControlGroup{u"溶质",         u"所需质量",              text(SolventMass), u"Label10", solventMassButton},
    ControlGroup{u"Label11",      text(SolventDensity),     u"Label12", secondExponent},
    ControlGroup{u"Label13",      text(SolventVolume),      u"Label14", solventVolumeButton},
    ControlGroup{exitButton},
    // clang-format on
};

using namespace menu_names;
using enum MenuLevel;

constexpr std::array menu{
    // clang-format off
    MenuRow{file,          Menu,       u"文件(F)",           u'F', {},                      true,  {}},
    MenuRow{newFields,     Item,       u"新建(N)",           u'N', {u'N', Modifier::Ctrl},  true,  ResetFields},
    MenuRow{separator,     Separator,  u"-",                 0,    {},                      true,  {}},
    MenuRow{exit,          Item,       u"退出(X)",           u'X', {u'X', Modifier::Ctrl},  true,  ExitFromCalculator},
    MenuRow{options,       Menu,       u"选项(O)",           u'O', {},                      true,  {}},
    MenuRow{dilution,      Item,       u"浓溶液配稀溶液(1)", u'1', {},                      true,  {}},
    MenuRow{concentration, Item,       u"稀溶液浓缩(2)",     u'2', {},                      false, {}},
    MenuRow{mixing,        Item,       u"浓稀溶液混合(3)",   u'3', {},                      false, {}},
    MenuRow{about,         BarCommand, u"关于(A)",           u'A', {},                      true,  OpenAbout},
    // clang-format on
};

} // namespace

std::size_t accessKeyIndex(const MenuRow &row) {
    return row.accessKey ? row.caption.find(row.accessKey) : std::u16string_view::npos;
}

std::u16string shortcutText(Shortcut shortcut, const ModifierNames &names) {
    std::u16string text;
    for (const auto &[modifier, name] : {std::pair{Modifier::Ctrl, names.ctrl},
                                         {Modifier::Shift, names.shift},
                                         {Modifier::Alt, names.alt}}) {
        if (holds(shortcut.modifiers, modifier))
            text.append(name).append(u"+");
    }
    return text + shortcut.key;
}

std::u16string captionWithMarker(const MenuRow &row, char16_t marker) {
    const std::size_t access = accessKeyIndex(row);
    std::u16string marked;
    for (std::size_t i = 0; i < row.caption.size(); ++i) {
        if (i == access || row.caption[i] == marker)
            marked += marker;
        marked += row.caption[i];
    }
    return marked;
}

const WindowTable mainWindowTable{
    window, u"Quorel计算助手（最简版）", {3105, 2595, 6075, 4110}, controls, groups,
};

const std::span<const MenuRow> mainMenuTable = menu;

} // namespace quorel::form

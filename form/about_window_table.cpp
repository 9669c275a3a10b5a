#include "form/about_window_table.h"

#include "form/control_names.h"

#include <array>

namespace quorel::form {

namespace {

using enum ControlKind;
using enum FontCode;
using enum Command;
using namespace about_names;

constexpr std::array controls{
    // clang-format off
    ControlRow{title,        Label,     u"Quorel v1.1(最简版)",        {1080,  120, 2655, 255}, 3, A},
    ControlRow{paragraph,    Paragraph, u"    本软件适用于大学、中学、小学实验室的溶液配制计算，也可用于溶液配制计算的教学。",
                                                                       { 240,  600, 4095, 735}, 1, A},
    ControlRow{notice,       Label,     u"欢迎使用，如有建议请来信。", { 480, 1560, 3855, 255}, 2, A},
    ControlRow{contact,      Label,     u"E-Mail:quorel@example.com",  { 720, 2040, 3135, 255}, 4, A},
    ControlRow{returnButton, Button,    u"返回",                       { 480, 2520, 1335, 495}, 0, B, ReturnToCalculator, {}, u"返回计算窗口"},
    ControlRow{exitButton,   Button,    u"退出",                       {2520, 2520, 1335, 495}, 5, B, EndProgram, {}, u"退出程序"},
    // clang-format on
};

constexpr std::array groups{
    ControlGroup{title},
    ControlGroup{paragraph},
    ControlGroup{notice},
    ControlGroup{contact},
    ControlGroup{returnButton, exitButton},
};

} // namespace

const WindowTable aboutWindowTable{
    window, u"软件简介", {3900, 3030, 4680, 3195}, controls, groups,
};

} // namespace quorel::form

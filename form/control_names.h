#pragma once

// The object names of the controls that code and tests refer to, as the tables give them. Names
// belong to their window: Command1 is 浓溶液质量计算 on the calculator and 返回 on the About
// window.

#include <string_view>

namespace quorel::form {

namespace main_names {
inline constexpr std::u16string_view window = u"主程序";
inline constexpr std::u16string_view concentrateMassButton = u"Command1";
inline constexpr std::u16string_view concentrateVolumeButton = u"体积计算";
inline constexpr std::u16string_view solventMassButton = u"Command2";
inline constexpr std::u16string_view solventVolumeButton = u"溶剂体积计算";
inline constexpr std::u16string_view exitButton = u"Command4";
inline constexpr std::u16string_view volumeLabel = u"Label8";
inline constexpr std::u16string_view firstExponent = u"Label7";
inline constexpr std::u16string_view secondExponent = u"Label15";

// The nine fields, Text1 to Text9, in the order of form::Field.
inline constexpr std::u16string_view fields[] = {u"Text1", u"Text2", u"Text3", u"Text4", u"Text5",
                                                 u"Text6", u"Text7", u"Text8", u"Text9"};
} // namespace main_names

namespace menu_names {
inline constexpr std::u16string_view file = u"文件";
inline constexpr std::u16string_view newFields = u"新建";
inline constexpr std::u16string_view separator = u"断开";
inline constexpr std::u16string_view exit = u"退出";
inline constexpr std::u16string_view options = u"选项";
inline constexpr std::u16string_view dilution = u"浓溶液配稀溶液";
inline constexpr std::u16string_view concentration = u"稀溶液浓缩";
inline constexpr std::u16string_view mixing = u"浓稀溶液混合";
inline constexpr std::u16string_view about = u"关于";
} // namespace menu_names

namespace about_names {
inline constexpr std::u16string_view window = u"Form1";
inline constexpr std::u16string_view title = u"Label2";
inline constexpr std::u16string_view paragraph = u"关于";
inline constexpr std::u16string_view notice = u"Label1";
inline constexpr std::u16string_view contact = u"Label3";
inline constexpr std::u16string_view returnButton = u"Command1";
inline constexpr std::u16string_view exitButton = u"Command2";
} // namespace about_names

} // namespace quorel::form

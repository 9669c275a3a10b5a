#pragma once

namespace quorel::form {

// Everything a click, a menu choice or a shortcut can ask of the program. Rows that do nothing
// when chosen carry no command.
enum class Command {
    ResetFields,                // 新建 and the load action: all nine fields become empty
    CalculateConcentrateMass,   // 浓溶液质量计算, into Text4
    CalculateConcentrateVolume, // 浓溶液体积计算, into Text6
    CalculateSolventMass,       // 溶剂质量计算, into Text7
    CalculateSolventVolume,     // 溶剂体积计算, into Text9
    ExitFromCalculator,         // 退   出 and 退出 on the calculator: hide it, then end
    OpenAbout,                  // 关于: show the About window, then hide the calculator
    ReturnToCalculator,         // 返回: show the calculator, then hide the About window
    EndProgram,                 // 退出 on the About window: end at once
};
inline constexpr int commandCount = 9;

} // namespace quorel::form

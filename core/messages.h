#pragma once

#include <string_view>

namespace quorel::core {

// The checks a calculation makes on its inputs, in the order they are made.
enum class MessageId {
    MsgEnterTargetMass,         // mass of the solution to prepare is 0 or missing
    MsgEnterTargetPercent,      // concentration of the solution to prepare is 0 or missing
    MsgEnterConcentratePercent, // concentration of the concentrated solution is 0 or missing
    MsgPercentTooHigh,          // the solution to prepare would be stronger than the concentrate
    MsgEnterConcentrateDensity, // density of the concentrated solution is 0 or missing
    MsgEnterSolventDensity,     // density of the solvent is 0 or missing
};

// Every text the program shows in a message box, all titled messageTitle(): the exact text of
// each message, and the report of a number beyond the range of a double.
std::u16string_view messageText(MessageId id);
std::u16string_view overflowReport();
std::u16string_view messageTitle();

} // namespace quorel::core

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

// The exact text shown to the user for each message, in a box titled messageTitle().
std::u16string_view messageText(MessageId id);
std::u16string_view messageTitle();

} // namespace quorel::core

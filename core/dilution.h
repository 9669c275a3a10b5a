#pragma once

// How the calculator's core fits together: the window hands the texts of its entry fields to
// one of the four compute functions. Each reads its fields with readNumber, checks them against
// the common ladder (checkCommonInputs) and its own density check, and returns a CalcOutcome:
// the result to write with formatNumber, the message to show instead, or an overflow for the
// window to report. Nothing here keeps state between calls.

#include "core/messages.h"

#include <optional>
#include <string_view>
#include <variant>

namespace quorel::core {

struct DilutionInputs {
    double targetMass = 0;         // g, solution to prepare
    double targetPercent = 0;      // %, solution to prepare
    double concentratePercent = 0; // %, concentrated solution
    double concentrateDensity = 0; // g/cm3, concentrated solution
    double solventDensity = 0;     // g/cm3, solvent
};

// The texts of the entry fields, as typed. Each calculation reads only the ones it needs.
struct DilutionTexts {
    std::u16string_view targetMass;         // Text1
    std::u16string_view targetPercent;      // Text2
    std::u16string_view concentratePercent; // Text3
    std::u16string_view concentrateDensity; // Text5
    std::u16string_view solventDensity;     // Text8
};

// A number read or computed beyond the range of a double.
struct Overflow {
    friend bool operator==(Overflow, Overflow) = default;
};

using CalcOutcome = std::variant<double, MessageId, Overflow>;

std::optional<MessageId> checkCommonInputs(const DilutionInputs &inputs);

CalcOutcome computeConcentrateMass(const DilutionTexts &texts);   // g, for Text4
CalcOutcome computeSolventMass(const DilutionTexts &texts);       // g, for Text7
CalcOutcome computeConcentrateVolume(const DilutionTexts &texts); // ml, for Text6
CalcOutcome computeSolventVolume(const DilutionTexts &texts);     // ml, for Text9

} // namespace quorel::core

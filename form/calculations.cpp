#include "form/calculations.h"

#include <algorithm>
#include <array>

namespace quorel::form {

namespace {

using enum Command;
using enum Field;

constexpr std::array rules{
    CalculationRule{CalculateConcentrateMass, &core::computeConcentrateMass, ConcentrateMass, true},
    CalculationRule{CalculateConcentrateVolume, &core::computeConcentrateVolume, ConcentrateVolume,
                    false},
    CalculationRule{CalculateSolventMass, &core::computeSolventMass, SolventMass, false},
    CalculationRule{CalculateSolventVolume, &core::computeSolventVolume, SolventVolume, false},
};

} // namespace

std::optional<CalculationRule> calculationRule(Command command) {
    const auto rule = std::find_if(rules.begin(), rules.end(), [command](const CalculationRule &r) {
        return r.command == command;
    });
    return rule == rules.end() ? std::nullopt : std::optional(*rule);
}

bool isResultField(Field field) {
    return std::any_of(rules.begin(), rules.end(),
                       [field](const CalculationRule &r) { return r.result == field; });
}

} // namespace quorel::form

#pragma once

#include "core/dilution.h"
#include "form/command.h"
#include "form/control_table.h"

#include <optional>

namespace quorel::form {

// What a calculation button computes and which field gets the result.
struct CalculationRule {
    Command command;
    core::CalcOutcome (*compute)(const core::DilutionTexts &);
    Field result;
    // Only the concentrate mass empties its result after a message, once the box is dismissed;
    // the others keep an earlier result on screen.
    bool emptyResultOnMessage;
};

// The rule of a calculation command; nothing for any other command.
std::optional<CalculationRule> calculationRule(Command command);

// Whether a calculation writes its result into `field`.
bool isResultField(Field field);

} // namespace quorel::form

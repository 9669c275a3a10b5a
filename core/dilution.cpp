#include "core/dilution.h"

#include "core/exact_quotient.h"
#include "core/number_text.h"

#include <cmath>

namespace quorel::core {
namespace {

// Every step below yields std::nullopt once a number leaves the range of a double; the
// calculation then stops and reports the overflow instead of any result.

// The inputs every calculation reads, in the order the calculator has always read them:
// the mass first, then the stronger concentration, then the one to prepare.
std::optional<DilutionInputs> readCommon(const DilutionTexts &texts) {
    const auto mass = readNumber(texts.targetMass);
    const auto concentratePercent = mass ? readNumber(texts.concentratePercent) : std::nullopt;
    const auto targetPercent = concentratePercent ? readNumber(texts.targetPercent) : std::nullopt;
    if (!targetPercent)
        return std::nullopt;
    DilutionInputs inputs;
    inputs.targetMass = *mass;
    inputs.concentratePercent = *concentratePercent;
    inputs.targetPercent = *targetPercent;
    return inputs;
}

std::optional<double> finite(double value) {
    return std::isinf(value) ? std::nullopt : std::optional(value);
}

std::optional<double> concentrateMassOf(const DilutionInputs &in) {
    return exactProductQuotient(in.targetPercent, in.targetMass, in.concentratePercent);
}

std::optional<double> solventMassOf(const DilutionInputs &in) {
    const auto concentrateMass = concentrateMassOf(in);
    return concentrateMass ? finite(in.targetMass - *concentrateMass) : std::nullopt;
}

std::optional<double> volumeOf(std::optional<double> mass, double density) {
    return mass ? finite(*mass / density) : std::nullopt;
}

CalcOutcome outcome(std::optional<double> result) {
    if (!result)
        return Overflow{};
    return *result;
}

using MassOf = std::optional<double> (*)(const DilutionInputs &);

// Runs the common ladder on inputs already read, then `finish`, which gives the outcome.
template <typename Finish>
CalcOutcome afterLadder(const std::optional<DilutionInputs> &inputs, Finish finish) {
    if (!inputs)
        return Overflow{};
    if (const auto message = checkCommonInputs(*inputs))
        return *message;
    return finish(*inputs);
}

CalcOutcome mass(const DilutionTexts &texts, MassOf massOf) {
    return afterLadder(readCommon(texts),
                       [&](const DilutionInputs &in) { return outcome(massOf(in)); });
}

// A volume reads its density before everything else, but checks it only after the ladder.
CalcOutcome volume(const DilutionTexts &texts, std::u16string_view densityText,
                   MessageId missingDensity, MassOf massOf) {
    const auto density = readNumber(densityText);
    return afterLadder(density ? readCommon(texts) : std::nullopt,
                       [&](const DilutionInputs &in) -> CalcOutcome {
                           if (*density == 0)
                               return missingDensity;
                           return outcome(volumeOf(massOf(in), *density));
                       });
}

} // namespace

std::optional<MessageId> checkCommonInputs(const DilutionInputs &inputs) {
    if (inputs.targetMass == 0)
        return MessageId::MsgEnterTargetMass;
    if (inputs.targetPercent == 0)
        return MessageId::MsgEnterTargetPercent;
    if (inputs.concentratePercent == 0)
        return MessageId::MsgEnterConcentratePercent;
    if (inputs.targetPercent > inputs.concentratePercent)
        return MessageId::MsgPercentTooHigh;
    return std::nullopt;
}

CalcOutcome computeConcentrateMass(const DilutionTexts &texts) {
    return mass(texts, concentrateMassOf);
}

CalcOutcome computeSolventMass(const DilutionTexts &texts) {
    return mass(texts, solventMassOf);
}

CalcOutcome computeConcentrateVolume(const DilutionTexts &texts) {
    return volume(texts, texts.concentrateDensity, MessageId::MsgEnterConcentrateDensity,
                  concentrateMassOf);
}

CalcOutcome computeSolventVolume(const DilutionTexts &texts) {
    return volume(texts, texts.solventDensity, MessageId::MsgEnterSolventDensity, solventMassOf);
}

} // namespace quorel::core

// Differential fuzzing of the four calculations. The input holds the entry fields Text1, Text2,
// Text3, Text5 and Text8 separated by '|'. Every calculation must give what a plain model of
// the calculator gives: the checks in their order, concentrateMass from MPFR, the rest in
// double arithmetic, and an overflow wherever a number leaves the double range. The model reads
// the fields with readNumber itself, which read_number_fuzz checks on its own.

#include "core/dilution.h"
#include "core/number_text.h"
#include "core/tests/support/mpfr_reference.h"
#include "fuzz/field_text.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <variant>

namespace {

using quorel::core::CalcOutcome;
using quorel::core::DilutionTexts;
using quorel::core::MessageId;
using quorel::core::Overflow;

enum class Calculation { ConcentrateMass, SolventMass, ConcentrateVolume, SolventVolume };

CalcOutcome finiteOrOverflow(double x) {
    if (std::isinf(x)) {
        return Overflow{};
    }
    return x;
}

CalcOutcome model(Calculation calculation, const DilutionTexts &texts) {
    const auto mass = quorel::core::readNumber(texts.targetMass);
    const auto target = quorel::core::readNumber(texts.targetPercent);
    const auto concentrate = quorel::core::readNumber(texts.concentratePercent);
    std::optional<double> density = 1.0;
    if (calculation == Calculation::ConcentrateVolume) {
        density = quorel::core::readNumber(texts.concentrateDensity);
    } else if (calculation == Calculation::SolventVolume) {
        density = quorel::core::readNumber(texts.solventDensity);
    }
    // Every field is read before anything is checked, so an overflowing field wins.
    if (!mass || !target || !concentrate || !density) {
        return Overflow{};
    }
    if (*mass == 0) {
        return MessageId::MsgEnterTargetMass;
    }
    if (*target == 0) {
        return MessageId::MsgEnterTargetPercent;
    }
    if (*concentrate == 0) {
        return MessageId::MsgEnterConcentratePercent;
    }
    if (*target > *concentrate) {
        return MessageId::MsgPercentTooHigh;
    }
    if (*density == 0) {
        return calculation == Calculation::ConcentrateVolume ? MessageId::MsgEnterConcentrateDensity
                                                             : MessageId::MsgEnterSolventDensity;
    }
    const double concentrateMass = quorel::reference::productQuotient(*target, *mass, *concentrate);
    if (std::isinf(concentrateMass)) {
        return Overflow{};
    }
    switch (calculation) {
    case Calculation::ConcentrateMass:
        return concentrateMass;
    case Calculation::ConcentrateVolume:
        return finiteOrOverflow(concentrateMass / *density);
    case Calculation::SolventMass:
    case Calculation::SolventVolume:
        break;
    }
    const double solventMass = *mass - concentrateMass;
    if (std::isinf(solventMass) || calculation == Calculation::SolventMass) {
        return finiteOrOverflow(solventMass);
    }
    return finiteOrOverflow(solventMass / *density);
}

std::string describe(const CalcOutcome &outcome) {
    char buffer[64];
    if (const double *x = std::get_if<double>(&outcome)) {
        std::snprintf(buffer, sizeof buffer, "%a", *x);
    } else if (const MessageId *id = std::get_if<MessageId>(&outcome)) {
        std::snprintf(buffer, sizeof buffer, "message %d", static_cast<int>(*id));
    } else {
        std::snprintf(buffer, sizeof buffer, "overflow");
    }
    return buffer;
}

bool same(const CalcOutcome &a, const CalcOutcome &b) {
    if (a.index() != b.index()) {
        return false;
    }
    if (const double *x = std::get_if<double>(&a)) {
        return std::bit_cast<std::uint64_t>(*x) ==
               std::bit_cast<std::uint64_t>(std::get<double>(b));
    }
    return a == b;
}

void check(const std::array<std::u16string, 5> &fields) {
    const DilutionTexts texts{.targetMass = fields[0],
                              .targetPercent = fields[1],
                              .concentratePercent = fields[2],
                              .concentrateDensity = fields[3],
                              .solventDensity = fields[4]};
    const struct {
        Calculation calculation;
        CalcOutcome (*compute)(const DilutionTexts &);
        const char *name;
    } buttons[] = {
        {Calculation::ConcentrateMass, quorel::core::computeConcentrateMass, "concentrate mass"},
        {Calculation::SolventMass, quorel::core::computeSolventMass, "solvent mass"},
        {Calculation::ConcentrateVolume, quorel::core::computeConcentrateVolume,
         "concentrate volume"},
        {Calculation::SolventVolume, quorel::core::computeSolventVolume, "solvent volume"},
    };
    for (const auto &button : buttons) {
        const CalcOutcome core = button.compute(texts);
        const CalcOutcome expected = model(button.calculation, texts);
        if (!same(core, expected)) {
            std::fprintf(stderr, "%s: core gives %s, the model %s\n", button.name,
                         describe(core).c_str(), describe(expected).c_str());
            std::abort();
        }
        if (const double *result = std::get_if<double>(&core)) {
            // What the window writes; must not trip a sanitizer.
            const std::u16string text = quorel::core::formatNumber(*result);
            if (text.empty()) {
                std::fprintf(stderr, "%s: empty text for a result\n", button.name);
                std::abort();
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size > 4096) {
        return -1;
    }
    std::array<std::u16string, 5> fields;
    std::size_t field = 0, start = 0;
    for (std::size_t i = 0; i <= size && field < fields.size(); ++i) {
        if (i == size || data[i] == '|') {
            fields[field++] = quorel::fuzz::asWideOrNarrow(data + start, i - start);
            start = i + 1;
        }
    }
    check(fields);
    return 0;
}

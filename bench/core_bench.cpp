// readNumber and formatNumber against the bare fast_float::from_chars / fmt::format_to_n they wrap,
// on the same inputs, and the whole of a button press: field texts in, result text out.

#include "core/dilution.h"
#include "core/number_text.h"

#include <benchmark/benchmark.h>
#include <fast_float/fast_float.h>
#include <fmt/format.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <variant>
#include <vector>

namespace {

using quorel::core::CalcOutcome;
using quorel::core::DilutionTexts;

// What people type into the fields.
const std::vector<std::string> &labTexts() {
    static const std::vector<std::string> texts{
        "100", "10",   "98",  "1.84", "1",    "200", "5",     "36",  "1.18", "0.5",
        "250", "37.5", "0.9", "1000", "12.5", "65",  "0.001", "2.5", "96",   "1.2"};
    return texts;
}

// Shortest texts of random doubles over the whole range: up to 17 digits and an exponent.
const std::vector<std::string> &fullRangeTexts() {
    static const std::vector<std::string> texts = [] {
        std::mt19937_64 rng(42);
        std::vector<std::string> out;
        while (out.size() < 1000) {
            const double x = std::bit_cast<double>(rng());
            if (std::isfinite(x)) {
                char buffer[32];
                out.emplace_back(buffer, std::to_chars(buffer, buffer + sizeof buffer, x).ptr);
            }
        }
        return out;
    }();
    return texts;
}

std::vector<std::u16string> widen(const std::vector<std::string> &texts) {
    std::vector<std::u16string> out;
    for (const std::string &text : texts) {
        out.emplace_back(text.begin(), text.end());
    }
    return out;
}

std::vector<double> valuesOf(const std::vector<std::string> &texts) {
    std::vector<double> out;
    for (const std::string &text : texts) {
        double x = 0;
        std::from_chars(text.data(), text.data() + text.size(), x);
        out.push_back(x);
    }
    return out;
}

// Results as the calculations produce them: quotients with all 17 digits in play.
std::vector<double> resultValues() {
    std::vector<double> out;
    for (const double x : valuesOf(labTexts())) {
        out.push_back(x * 10 / 98);
    }
    return out;
}

// Reported as time per text or value, next to the time for the whole batch.
void perItem(benchmark::State &state, std::size_t batch) {
    state.counters["per_item"] = benchmark::Counter(static_cast<double>(batch),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

void BM_ReadNumber(benchmark::State &state, const std::vector<std::string> &texts) {
    const std::vector<std::u16string> fields = widen(texts);
    for (auto _ : state) {
        for (const std::u16string &field : fields) {
            benchmark::DoNotOptimize(quorel::core::readNumber(field));
        }
    }
    perItem(state, fields.size());
}

void BM_FastFloat(benchmark::State &state, const std::vector<std::string> &texts) {
    for (auto _ : state) {
        for (const std::string &text : texts) {
            double x;
            benchmark::DoNotOptimize(
                fast_float::from_chars(text.data(), text.data() + text.size(), x));
            benchmark::DoNotOptimize(x);
        }
    }
    perItem(state, texts.size());
}

void BM_FormatNumber(benchmark::State &state, const std::vector<double> &values) {
    for (auto _ : state) {
        for (const double x : values) {
            benchmark::DoNotOptimize(quorel::core::formatNumber(x));
        }
    }
    perItem(state, values.size());
}

void BM_Fmt(benchmark::State &state, const std::vector<double> &values) {
    for (auto _ : state) {
        for (const double x : values) {
            char buffer[32];
            benchmark::DoNotOptimize(fmt::format_to_n(buffer, sizeof buffer, "{:.15G}", x));
            benchmark::DoNotOptimize(buffer);
        }
    }
    perItem(state, values.size());
}

BENCHMARK_CAPTURE(BM_ReadNumber, lab_texts, labTexts());
BENCHMARK_CAPTURE(BM_FastFloat, lab_texts, labTexts());
BENCHMARK_CAPTURE(BM_ReadNumber, full_range_texts, fullRangeTexts());
BENCHMARK_CAPTURE(BM_FastFloat, full_range_texts, fullRangeTexts());
BENCHMARK_CAPTURE(BM_FormatNumber, results, resultValues());
BENCHMARK_CAPTURE(BM_Fmt, results, resultValues());
BENCHMARK_CAPTURE(BM_FormatNumber, full_range, valuesOf(fullRangeTexts()));
BENCHMARK_CAPTURE(BM_Fmt, full_range, valuesOf(fullRangeTexts()));

// One press of a button with the worked example's fields: read the texts, check, compute,
// and write the result text (or nothing, on a message).
void BM_ButtonPress(benchmark::State &state, CalcOutcome (*compute)(const DilutionTexts &)) {
    const std::u16string targetMass = u"100", targetPercent = u"10", concentratePercent = u"98",
                         concentrateDensity = u"1.84", solventDensity = u"1";
    const DilutionTexts texts{targetMass, targetPercent, concentratePercent, concentrateDensity,
                              solventDensity};
    for (auto _ : state) {
        const CalcOutcome outcome = compute(texts);
        std::u16string resultText;
        if (const double *result = std::get_if<double>(&outcome)) {
            resultText = quorel::core::formatNumber(*result);
        }
        benchmark::DoNotOptimize(resultText);
    }
    if (!std::holds_alternative<double>(compute(texts))) {
        state.SkipWithError("the worked example gave no result");
    }
}

BENCHMARK_CAPTURE(BM_ButtonPress, concentrate_mass, quorel::core::computeConcentrateMass);
BENCHMARK_CAPTURE(BM_ButtonPress, solvent_mass, quorel::core::computeSolventMass);
BENCHMARK_CAPTURE(BM_ButtonPress, concentrate_volume, quorel::core::computeConcentrateVolume);
BENCHMARK_CAPTURE(BM_ButtonPress, solvent_volume, quorel::core::computeSolventVolume);

} // namespace

BENCHMARK_MAIN();

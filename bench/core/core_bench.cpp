// Speed of the Subconscious Self Number count over typical and very long names.

#include "core/self_number.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <string>

namespace {

// Upper-case letters of every chart row except the one of I and R, mixed with lower case,
// blanks and hyphens: the count never reaches nine, so stopping early never helps.
std::u16string eightRowText(std::size_t length) {
    constexpr std::u16string_view Pool = u"ABCDEFGHJKLMNOPQSTUVWXYZ abcirxyz-";
    std::u16string text;
    text.reserve(length);
    std::uint32_t state = 12345;
    while (text.size() < length) {
        state = state * 1664525u + 1013904223u; // a fixed sequence keeps every run alike
        text.push_back(Pool[(state >> 16) % Pool.size()]);
    }
    return text;
}

void countName(benchmark::State& state, std::u16string_view first, std::u16string_view middle,
               std::u16string_view last) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ssn::core::GetSubconsciousSelfNumber(first, middle, last));
    }
    const auto characters = static_cast<std::int64_t>(first.size() + middle.size() + last.size());
    state.SetItemsProcessed(state.iterations() * characters);
    state.SetBytesProcessed(state.iterations() * characters * static_cast<std::int64_t>(sizeof(char16_t)));
}

void TypicalName(benchmark::State& state) {
    countName(state, u"ALEXANDRA ", u"MARIE", u"  JOHANSSON");
}
BENCHMARK(TypicalName);

// The argument is the length of the joined name in characters, split over the three fields.
void LongName(benchmark::State& state) {
    const auto text = eightRowText(static_cast<std::size_t>(state.range(0)));
    const std::u16string_view all = text;
    const auto third = all.size() / 3;
    countName(state, all.substr(0, third), all.substr(third, third), all.substr(2 * third));
    if (ssn::core::GetSubconsciousSelfNumber(all, u"", u"") != 8) {
        state.SkipWithError("the text must never complete the chart");
    }
}
BENCHMARK(LongName)->Arg(64 << 10)->Arg(16 << 20);

} // namespace

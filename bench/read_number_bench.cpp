// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "arithmetic_error.h"
#include "number_text.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A long text pasted into a box: reading it must stay linear in its length, whatever it holds.
std::string longText(int kind, std::size_t size)
{
    switch (kind) {
    case 0: // digits: "7777..." is a number far beyond the double range
        return std::string(size, '7');
    case 1: // zeros after the point, then a digit: the long, exact-rounding path
        return "0." + std::string(size, '0') + "1";
    default: // a letter, then anything: no number at all
        return "x" + std::string(size, '9');
    }
}

void ReadLongText(benchmark::State &state, int kind)
{
    const std::string text = longText(kind, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(planewall::readNumber(text, planewall::FailedStep::ReadH));
        } catch (const planewall::ArithmeticError &) { }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long>(text.size()));
    state.SetComplexityN(state.range(0));
}
BENCHMARK_CAPTURE(ReadLongText, digits, 0)
    ->RangeMultiplier(8)
    ->Range(1 << 10, 1 << 20)
    ->Complexity();
BENCHMARK_CAPTURE(ReadLongText, zeros_after_point, 1)
    ->RangeMultiplier(8)
    ->Range(1 << 10, 1 << 20)
    ->Complexity();
BENCHMARK_CAPTURE(ReadLongText, letters, 2)
    ->RangeMultiplier(8)
    ->Range(1 << 10, 1 << 20)
    ->Complexity();

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "calculation.h"
#include "cli.h"

#include <benchmark/benchmark.h>

#include <array>
#include <random>
#include <sstream>
#include <string>

namespace {

// Keeps the texts as the window's result boxes would.
class TextSink : public planewall::ResultSink
{
public:
    void write(planewall::Slot slot, std::string_view text, double) override
    {
        texts[static_cast<int>(slot)] = text;
    }
    std::array<std::string, 5> texts;
};

// One click on "Calculate": texts in, every iterate formatted, five texts out.
void CalculationRun(benchmark::State &state)
{
    const std::string h = std::to_string(state.range(0));
    TextSink sink;
    for (auto _ : state) {
        planewall::calculate(h, "1", "1", sink);
        benchmark::DoNotOptimize(sink.texts);
    }
}
BENCHMARK(CalculationRun)->Arg(0)->Arg(1)->Arg(1000)->Arg(1'000'000'000);

// 100,000 cases through --batch: h uniform in 0.01-200, L = 1, k uniform in 0.5-2.
std::string batchInput(int cases)
{
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> h(0.01, 200), k(0.5, 2);
    std::string input;
    for (int i = 0; i < cases; ++i)
        input += std::to_string(h(random)) + "\t1\t" + std::to_string(k(random)) + '\n';
    return input;
}

void Batch(benchmark::State &state)
{
    const std::string input = batchInput(static_cast<int>(state.range(0)));
    const std::array<std::string_view, 1> args = {"--batch"};
    for (auto _ : state) {
        std::istringstream in(input);
        std::ostringstream out, err;
        benchmark::DoNotOptimize(planewall::cli::run(args, in, out, err));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(Batch)->Arg(100'000)->Unit(benchmark::kMillisecond);

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "fit.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace planewall;

// The pipeline wall (L 40 mm, steel) heated from -20 C in a fluid at 60 C with h = 500 W/m2K,
// its centre read 1,000 times over 8 minutes, without noise: the fit's own work, from a start
// 10x off in h (and in α when α is fitted too).
std::vector<Reading> pipelineReadings()
{
    const Problem problem(makeWall(0.04, 63.9, std::nullopt, 7832.0, 434.0), 500, -20, 60, "C");
    std::vector<Reading> rows;
    for (int i = 1; i <= 1000; ++i) {
        const double t = 0.48 * i;
        rows.push_back({t, pointResult(problem, 0, t).temperature, static_cast<std::size_t>(i)});
    }
    return rows;
}

void Fit(benchmark::State &state)
{
    const bool withAlpha = state.range(0) != 0;
    const std::vector<Reading> rows = pipelineReadings();
    const double alpha = 63.9 / (7832.0 * 434.0);
    const FitSetup setup{
        .wall = withAlpha ? makeWall(0.04, 63.9, alpha / 10, std::nullopt, std::nullopt)
                          : makeWall(0.04, 63.9, std::nullopt, 7832.0, 434.0),
        .tI = -20,
        .tInf = 60,
        .unit = "C",
        .also = withAlpha ? AlsoFit::Alpha : AlsoFit::None,
        .hStart = 5000,
    };
    int iterations = 0;
    for (auto _ : state) {
        const FitResult r = fitReadings(rows, setup);
        iterations = r.iterations;
        benchmark::DoNotOptimize(r.h.value);
    }
    state.counters["iterations"] = iterations;
    state.SetLabel(withAlpha ? "h and alpha, 1000 readings" : "h, 1000 readings");
}
BENCHMARK(Fit)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

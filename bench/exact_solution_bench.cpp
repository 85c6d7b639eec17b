// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// The exact solution as the explorer and the command line ask for it: a profile of 1,000 points
// over x* at one Fo, and a history of 1,000 log-spaced Fo at one x*, each for a Bi not seen
// before, so that finding the roots is part of every run. The counter us_per_point is the time
// per point; scripts/bench-summary turns a JSON run into the median and the worst over cases.

#include "exact_solution.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr std::array<double, 7> kBis = {0, 1e-6, 0.1, 1, 10, 1e3, 1e300};
constexpr std::array<double, 8> kFos = {1e-12, 1e-6, 1e-3, 0.03, 0.05, 0.2, 1, 10};
constexpr int kPoints = 1000;

void perPoint(benchmark::State &state)
{
    state.counters["us_per_point"] = benchmark::Counter(
        kPoints * 1e-6,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// args: Bi's index, Fo's index.
void Profile(benchmark::State &state)
{
    const double bi = kBis[state.range(0)];
    const double fo = kFos[state.range(1)];
    std::vector<double> xs(kPoints), out(kPoints);
    for (int i = 0; i < kPoints; ++i)
        xs[i] = i / (kPoints - 1.0);
    for (auto _ : state) {
        const planewall::WallSolution wall(bi);
        wall.thetaProfile(xs, fo, out);
        benchmark::DoNotOptimize(out.data());
    }
    perPoint(state);
}
BENCHMARK(Profile)->ArgsProduct({benchmark::CreateDenseRange(0, 6, 1),
                                 benchmark::CreateDenseRange(0, 7, 1)});

// args: Bi's index; x* in tenths. Fo from 1e-12 to 10, log-spaced.
void History(benchmark::State &state)
{
    const double bi = kBis[state.range(0)];
    const double x = state.range(1) / 10.0;
    std::vector<double> fos(kPoints), out(kPoints);
    for (int i = 0; i < kPoints; ++i)
        fos[i] = std::pow(10.0, -12 + 13.0 * i / (kPoints - 1));
    for (auto _ : state) {
        const planewall::WallSolution wall(bi);
        wall.thetaHistory(x, fos, out);
        benchmark::DoNotOptimize(out.data());
    }
    perPoint(state);
}
BENCHMARK(History)->ArgsProduct({benchmark::CreateDenseRange(0, 6, 1), {0, 5, 10}});

// One point at a time, as the command line's tables are made.
void SinglePoints(benchmark::State &state)
{
    const double bi = kBis[state.range(0)];
    for (auto _ : state) {
        const planewall::WallSolution wall(bi);
        double sum = 0;
        for (int i = 0; i < kPoints; ++i)
            sum += wall.theta(i / (kPoints - 1.0), kFos[i % kFos.size()]);
        benchmark::DoNotOptimize(sum);
    }
    perPoint(state);
}
BENCHMARK(SinglePoints)->DenseRange(0, 6, 1);

} // namespace

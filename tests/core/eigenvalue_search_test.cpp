// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "eigenvalue_search.h"
#include "number_text.h"
#include "reference_root.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

using namespace planewall;

namespace {

std::vector<double> iterates(double bi, int n, double start)
{
    std::vector<double> values;
    searchRoot(bi, n, start, kTolerance, [&](double z) { values.push_back(z); });
    return values;
}

// Newton's method as the calculator first did it, with no safeguard; bounded here because it
// can run forever for large Bi.
std::vector<double> plainNewton(double bi, double z)
{
    std::vector<double> values;
    for (int i = 0; i < 500 && std::isfinite(z); ++i) {
        const double f = z * std::tan(z) - bi;
        const double d = (std::sin(z) * std::cos(z) + z) / (std::cos(z) * std::cos(z));
        z -= f / d;
        values.push_back(z);
        if (std::fabs(f) <= kTolerance)
            return values;
    }
    return {};
}

TEST(StartingValues, BandsStartAtTheirThresholds)
{
    const struct
    {
        double bi;
        int band;
    } cases[] = {{-1e4, 0},   {0, 0},  {4.999, 0},   {5, 1},   {19.999, 1}, {20, 2},
                 {70.999, 2}, {71, 3}, {100.999, 3}, {101, 4}, {1e300, 4}};
    // Each band's row as the calculator has always had it.
    const StartingValues rows[] = {{1, 2.5, 6.5, 9},
                                   {1.47, 4.42, 7.22, 10.3},
                                   {1.53, 4.6, 7.7, 10.8},
                                   {1.55, 4.66, 7.77, 10.88},
                                   {1.5707, 4.7123, 7.8539, 10.9955}};
    for (const auto &c : cases) {
        EXPECT_EQ(startingBand(c.bi), c.band) << "Bi " << c.bi;
        EXPECT_EQ(startingValues(c.bi), rows[c.band]) << "Bi " << c.bi;
    }
}

struct IterateCase
{
    const char *name;
    double bi;
    double start;
    std::vector<double> expected; // to six decimals
};

TEST(RootSearch, FollowsNewtonStepForStepWhereItConverges)
{
    const IterateCase cases[] = {
        {"Bi 1", 1, 1, {0.888136, 0.861465, 0.860335, 0.860334}},
        // A double root at 0: linear convergence, ending one step after the residual at
        // 0.001687 met the tolerance.
        {"Bi 0",
         0,
         1,
         {0.687451, 0.401217, 0.211603, 0.107390, 0.053902, 0.026977, 0.013492, 0.006746, 0.003373,
          0.001687, 0.000843}},
        {"Bi 101",
         101,
         1.5707,
         {1.570604, 1.570415, 1.570042, 1.569325, 1.567995, 1.565703, 1.562294, 1.558486, 1.556017,
          1.555422, 1.555398, 1.555398, 1.555398}},
    };
    for (const IterateCase &c : cases) {
        const std::vector<double> values = iterates(c.bi, 1, c.start);
        ASSERT_EQ(values.size(), c.expected.size()) << c.name;
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_NEAR(values[i], c.expected[i], 5e-7) << c.name << " step " << i + 1;
    }
}

// Bi log-spaced over the whole range, both signs: every iterate stays between the poles of tan
// around root n, every root of the run lies in its interval, the four increase, each shows the
// true root to four decimals (within one unit of the last place), and no search takes more than
// 50 steps (bisection alone narrows π to one double in about 54). Where plain Newton from the
// table already ends on the right root, the search makes exactly its steps.
TEST(RootSearch, EndsOnRootNForEveryBi)
{
    std::vector<double> bis = {0.0};
    for (double e = -9; e <= 300; e += 0.05)
        bis.push_back(std::pow(10.0, e));
    for (double e = -9; e <= 4; e += 0.05)
        bis.push_back(-std::pow(10.0, e));
    for (double bi = 4.3; bi < 5; bi += 0.01)
        bis.push_back(bi);

    for (const double bi : bis) {
        double previous = 0;
        for (int n = 1; n <= 4; ++n) {
            const double start = startingValues(bi)[n - 1];
            RootSearch search(bi, n, start);
            std::vector<double> values;
            while (search.step())
                values.push_back(search.value());
            const double root = search.value();
            ASSERT_LE(search.steps(), 50) << "Bi " << bi << " root " << n;

            const auto [low, high] = referenceInterval(bi, n);
            // The interval's ends rounded to doubles, as (n - 1)π is at Bi = 0.
            EXPECT_TRUE(static_cast<double>(low) <= root && root <= static_cast<double>(high))
                << "Bi " << bi << " root " << n << " " << root;
            // Between the poles of tan next to the interval: there z·tan z rises through Bi once.
            const long double poleAbove = bi >= 0 ? high : low + kPi;
            const long double poleBelow = n == 1 && bi >= 0 ? 0 : poleAbove - kPi;
            for (const double z : values)
                ASSERT_TRUE(poleBelow < z && z < poleAbove)
                    << "Bi " << bi << " root " << n << " iterate " << z;
            EXPECT_GT(root, previous) << "Bi " << bi << " root " << n;
            previous = root;

            // Below Bi 3e-4 the tolerance on the residual leaves ζ1 short in the 4th decimal.
            if (!(n == 1 && bi >= 0 && bi < 3e-4)) {
                EXPECT_NEAR(std::round(root * 1e4), std::round(referenceRoot(bi, n) * 1e4), 1)
                    << "Bi " << bi << " root " << n;
            }

            if (bi >= 0 && bi <= 4e5) {
                const std::vector<double> plain = plainNewton(bi, start);
                if (!plain.empty() && low <= plain.back() && plain.back() <= high) {
                    EXPECT_EQ(values, plain) << "Bi " << bi << " root " << n;
                }
            }
        }
    }
}

// The steps of searches the bracket takes over, as the window shows them one by one: pinned, so
// that a change to when Newton is trusted inside the bracket (the halving test, the first step
// length, the bisection) shows up as a changed count even where the root stays the same.
TEST(RootSearch, BracketedSearchesTakeTheirKnownSteps)
{
    const struct
    {
        double bi;
        std::array<int, 4> steps;
    } cases[] = {{4.99, {5, 10, 5, 4}}, {1e6, {25, 39, 14, 10}},  {1e16, {40, 38, 38, 36}},
                 {-30, {14, 9, 9, 7}},  {-1e4, {19, 19, 21, 17}}, {-0.5, {5, 4, 4, 4}}};
    for (const auto &c : cases) {
        for (int n = 1; n <= 4; ++n) {
            RootSearch search(c.bi, n, startingValues(c.bi)[n - 1]);
            while (search.step()) { }
            EXPECT_EQ(search.steps(), c.steps[n - 1]) << "Bi " << c.bi << " root " << n;
        }
    }
}

TEST(RootSearch, EndsAtTheBoundOnItsBestBracketedValue)
{
    // Tolerance 0: no double meets it. The search ends once no double is left in the bracket,
    // or at the bound, on the best end of its bracket.
    for (const double bi : {1.0, 1e6, -30.0}) {
        RootSearch search(bi, 2, startingValues(bi)[1], 0.0, SearchLimits{40, 60});
        while (search.step()) { }
        EXPECT_NEAR(search.value(), referenceRoot(bi, 2), 1e-14 * search.value()) << bi;
        EXPECT_TRUE(search.value() == search.bracketLow()
                    || search.value() == search.bracketHigh());
    }
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "reference_root.h"
#include "series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

using namespace planewall;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Series, MatchesPublishedRootsAndCoefficients)
{
    const struct
    {
        double bi;
        double zeta[4];
        double c1;
    } cases[] = {
        {0.001, {0.0316, 3.1419, 6.2833, 9.4249}, NAN},
        {0.01, {0.0998, 3.1448, 6.2848, 9.4258}, NAN},
        {0.1, {0.3111, 3.1731, 6.2991, 9.4354}, 1.0161},
        {1, {0.8603, 3.4256, 6.4373, 9.5293}, 1.1191},
        {10, {1.4289, 4.3058, 7.2281, 10.2003}, 1.2620},
        {30, {1.5202, 4.5615, 7.6057, 10.6543}, NAN},
    };
    for (const auto &c : cases) {
        for (int n = 1; n <= 4; ++n)
            EXPECT_NEAR(preciseRoot(c.bi, n), c.zeta[n - 1], 0.5e-4) << c.bi << " " << n;
        if (!std::isnan(c.c1)) {
            EXPECT_NEAR(seriesTerm(c.bi, 1).c, c.c1, 0.5e-4) << c.bi;
        }
    }
    // Cn -> 4(-1)^(n+1) / ((2n - 1)π) as Bi -> infinity, and C1 = 1 at Bi = 0.
    for (const double bi : {1e300, kInf}) {
        EXPECT_NEAR(seriesTerm(bi, 1).c, 4 / std::numbers::pi, 1e-15) << bi;
        EXPECT_NEAR(seriesTerm(bi, 2).c, -4 / (3 * std::numbers::pi), 1e-15) << bi;
    }
    EXPECT_EQ(seriesTerm(kInf, 3).zeta, 2.5 * std::numbers::pi);
    EXPECT_EQ(seriesTerm(0, 1).c, 1);
    EXPECT_EQ(seriesTerm(0, 2).c, 0);
}

// To within two units in the last place of a long-double bisection, for both signs of Bi over
// the whole range and for roots far down the series; and always on the right side of the pole
// of tan that bounds root n, where a double can lie within an ulp of it (Bi >= 1e16).
TEST(Series, PreciseRootsToTheLastDigitForAnyBiAndN)
{
    for (double e = -300; e <= 300; e += 3.7) {
        for (const double sign : {1.0, -1.0}) {
            const double bi = sign * std::pow(10.0, e);
            for (const int n : {1, 2, 3, 4, 10, 100, 1000, 10000}) {
                const double expected = referenceRoot(bi, n);
                const double root = preciseRoot(bi, n);
                EXPECT_NEAR(root, expected, 4.5e-16 * expected) << bi << " " << n;
                const auto [low, high] = referenceInterval(bi, n);
                EXPECT_TRUE(bi >= 0 ? root < high : root > low) << bi << " " << n << " " << root;
            }
        }
    }
    for (const int n : {1, 2, 10000})
        EXPECT_EQ(preciseRoot(0, n), (n - 1) * std::numbers::pi);
}

} // namespace

#include "reference_root.h"
#include "series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

using namespace planewall;

namespace {

constexpr double pi = std::numbers::pi;

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
    EXPECT_NEAR(seriesTerm(1e300, 1).c, 4 / pi, 1e-15) << "Bi -> infinity";
}

TEST(Series, PreciseRootsToTwelveDigitsForAnyBiAndN)
{
    for (double e = -300; e <= 300; e += 3.7) {
        const double bi = std::pow(10.0, e);
        for (const int n : {1, 2, 3, 4, 10, 100, 1000, 10000}) {
            const double expected = referenceRoot(bi, n);
            EXPECT_NEAR(preciseRoot(bi, n), expected, 1e-12 * expected) << bi << " " << n;
        }
    }
    for (const int n : {1, 2, 10000}) {
        EXPECT_EQ(preciseRoot(0, n), (n - 1) * pi);
        EXPECT_EQ(seriesTerm(0, n).c, n == 1 ? 1 : 0);
    }
}

// θ* by Crank-Nicolson on a uniform mesh of x* in [0, 1]: symmetric at 0, convection at 1
// (dθ/dx* = -Bi θ), started with implicit Euler steps to damp the jump at the surface.
double finiteDifference(double bi, double x, double fo)
{
    const int cells = 200;
    const double dx = 1.0 / cells;
    const int steps = 2000;
    std::vector<double> theta(cells + 1, 1.0);
    for (int step = 0; step < steps + 4; ++step) {
        const bool euler = step < 4; // four Euler half-steps, then Crank-Nicolson
        const double dt = (euler ? 0.5 : 1.0) * fo / (steps + 2);
        const double r = dt / (dx * dx), implicit = euler ? 1.0 : 0.5, expl = 1 - implicit;
        std::vector<double> lower(cells + 1, -implicit * r), diag(cells + 1, 1 + 2 * implicit * r),
            upper(cells + 1, -implicit * r), rhs(cells + 1);
        // Ghost nodes: θ[-1] = θ[1]; θ[N+1] = θ[N-1] - 2 dx Bi θ[N].
        upper[0] *= 2;
        lower[cells] *= 2;
        diag[cells] += implicit * r * 2 * dx * bi;
        for (int i = 0; i <= cells; ++i) {
            const double left = i == 0 ? theta[1] : theta[i - 1];
            const double right
                = i == cells ? theta[cells - 1] - 2 * dx * bi * theta[cells] : theta[i + 1];
            rhs[i] = theta[i] + expl * r * (left - 2 * theta[i] + right);
        }
        for (int i = 1; i <= cells; ++i) { // Thomas algorithm
            const double m = lower[i] / diag[i - 1];
            diag[i] -= m * upper[i - 1];
            rhs[i] -= m * rhs[i - 1];
        }
        theta[cells] = rhs[cells] / diag[cells];
        for (int i = cells - 1; i >= 0; --i)
            theta[i] = (rhs[i] - upper[i] * theta[i + 1]) / diag[i];
    }
    const int i = static_cast<int>(std::lround(x * cells));
    return theta[i];
}

TEST(Series, AgreesWithAFiniteDifferenceSolution)
{
    for (const double bi : {0.1, 1.0, 10.0}) {
        for (const double fo : {0.05, 0.2, 1.0}) {
            SeriesSolution series(bi);
            for (const double x : {0.0, 0.25, 0.5, 0.75, 1.0})
                EXPECT_NEAR(series.temperature(x, fo).series, finiteDifference(bi, x, fo), 5e-6)
                    << "Bi " << bi << " Fo " << fo << " x* " << x;
        }
    }
}

TEST(Series, BehavesLikeACoolingWall)
{
    for (const double bi : {0.0, 0.01, 1.0, 100.0}) {
        SeriesSolution series(bi);
        EXPECT_EQ(series.temperature(0.3, 0).series, 1) << bi;
        EXPECT_EQ(series.energyRatio(0).series, 0) << bi;
        double previousQ = 0;
        for (const double fo : {1e-4, 1e-3, 0.01, 0.1, 0.2, 0.5, 1.0, 2.0, 5.0, 50.0}) {
            const double q = series.energyRatio(fo).series;
            const double centre = series.temperature(0, fo).series;
            if (bi == 0) {
                EXPECT_EQ(centre, 1);
                EXPECT_EQ(q, 0);
                continue;
            }
            EXPECT_GT(q, previousQ) << "Q/Q0 rises, Bi " << bi << " Fo " << fo;
            EXPECT_LE(q, 1);
            previousQ = q;
            const SeriesValue theta = series.temperature(0, fo);
            if (fo >= 0.2) {
                EXPECT_NEAR(theta.oneTerm / theta.series, 1, 0.02) << bi << " " << fo;
            }
            if (fo >= 2) {
                EXPECT_NEAR(theta.oneTerm, theta.series, 1e-6) << bi << " " << fo;
            }
        }
        if (bi >= 1) {
            EXPECT_LT(series.temperature(0, 50).series, 1e-6) << "θ* -> 0, Bi " << bi;
        }
    }
}

TEST(Series, TakesTheTermsItsAccuracyNeeds)
{
    SeriesSolution series(1);
    const SeriesValue converged = series.temperature(0.5, 1e-3);
    EXPECT_LT(converged.terms, 100);
    EXPECT_LE(converged.omitted, kSeriesAccuracy);
    const SeriesValue truncated = series.temperature(0.5, 1e-9);
    EXPECT_EQ(truncated.terms, kMaxSeriesTerms);
    EXPECT_GT(truncated.omitted, kSeriesAccuracy);
    EXPECT_NEAR(truncated.series, 1, truncated.omitted);
    EXPECT_THROW(series.temperature(1.5, 1), std::domain_error);
    EXPECT_THROW(SeriesSolution(-1), std::domain_error);
}

} // namespace

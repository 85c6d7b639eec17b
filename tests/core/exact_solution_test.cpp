// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// The exact solution against values computed with mpmath at 60 to 360 digits
// (tests/reference/exact_values.py, which says how), over Bi from 0 to 1e300, Fo from 1e-12 to
// 300 and x* from the centre to the face, both sides of the switch between the forms included.

#include "exact_solution.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <map>
#include <numbers>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

using namespace planewall;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct PointRow
{
    double bi, x, fo, theta, deficit, logTheta, oneTerm;
};

struct EnergyRow
{
    double bi, fo, energy, mean, flux, oneTermEnergy, logMean;
};

struct Reference
{
    std::vector<PointRow> points;
    std::vector<EnergyRow> energies;
};

double number(const std::string &text)
{
    // strtod, unlike stod, takes a value below the double range as the 0 or subnormal it is.
    return text == "-inf" ? -kInf : std::strtod(text.c_str(), nullptr);
}

const Reference &reference()
{
    static const Reference table = [] {
        Reference r;
        std::ifstream in(PLANEWALL_REFERENCE_DIR "/exact_values.tsv");
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            std::string kind, f[7];
            fields >> kind;
            for (std::string &field : f)
                fields >> field;
            if (kind == "theta")
                r.points.push_back({number(f[0]), number(f[1]), number(f[2]), number(f[3]),
                                    number(f[4]), number(f[5]), number(f[6])});
            else
                r.energies.push_back({number(f[0]), number(f[1]), number(f[2]), number(f[3]),
                                      number(f[4]), number(f[5]), number(f[6])});
        }
        return r;
    }();
    return table;
}

std::string where(double bi, double x, double fo)
{
    std::ostringstream text;
    text << "Bi " << bi << " x* " << x << " Fo " << fo;
    return text.str();
}

// Within `absolute`, or within `relative` of the reference.
::testing::AssertionResult near(double value, double expected, double absolute, double relative)
{
    if (value == expected
        || std::fabs(value - expected) <= absolute + relative * std::fabs(expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << value << " against " << expected << " (off by " << value - expected << ")";
}

// θ* to 1e-15 absolute everywhere, and to 2e-13 relative where Fo >= 0.2 and θ* >= 1e-300
// (the exponent ζ1²Fo, up to 700 there, multiplies the last bit of ζ1); 1 - θ* to 1e-14 of
// itself beyond 1e-15; ln θ* where θ* underflows or nearly does.
TEST(ExactSolution, MatchesHighPrecisionValues)
{
    ASSERT_EQ(reference().points.size(), 490u);
    for (const PointRow &r : reference().points) {
        const WallSolution wall(r.bi);
        const std::string at = where(r.bi, r.x, r.fo);
        const double relative = r.fo >= 0.2 && r.theta >= 1e-300 ? 2e-13 : 0;
        EXPECT_TRUE(near(wall.theta(r.x, r.fo), r.theta, relative > 0 ? 0 : 1e-15, relative)) << at;
        EXPECT_TRUE(near(wall.deficit(r.x, r.fo), r.deficit, 1e-15, 1e-14)) << at;
        EXPECT_TRUE(near(wall.logTheta(r.x, r.fo), r.logTheta, 1e-15, 2e-13)) << at;
        EXPECT_TRUE(near(wall.oneTermTheta(r.x, r.fo), r.oneTerm, 1e-15, 2e-13)) << at;
    }
}

// Q/Q0 to 1e-15 absolute, the mean to 2e-13 relative where Fo >= 0.2, the surface flux to
// 2e-13 relative everywhere (it is asked to 1e-10).
TEST(ExactSolution, EnergyAndFluxMatchHighPrecisionValues)
{
    ASSERT_EQ(reference().energies.size(), 98u);
    for (const EnergyRow &r : reference().energies) {
        const WallSolution wall(r.bi);
        const std::string at = where(r.bi, 0, r.fo);
        EXPECT_TRUE(near(wall.energyRatio(r.fo), r.energy, 1e-15, 0)) << at;
        const double relative = r.fo >= 0.2 && r.mean >= 1e-300 ? 2e-13 : 0;
        EXPECT_TRUE(near(wall.meanTheta(r.fo), r.mean, relative > 0 ? 0 : 1e-15, relative)) << at;
        EXPECT_TRUE(near(wall.logMeanTheta(r.fo), r.logMean, 1e-15, 2e-13)) << at;
        if (r.flux >= 1e-300) {
            EXPECT_TRUE(near(wall.surfaceFlux(r.fo), r.flux, 0, 2e-13)) << at;
        }
        EXPECT_TRUE(near(wall.oneTermEnergyRatio(r.fo), r.oneTermEnergy, 1e-15, 0)) << at;
    }
}

// A profile over x* and a history over Fo give what the points give one at a time, and so the
// reference values.
TEST(ExactSolution, ProfilesAndHistoriesMatchHighPrecisionValues)
{
    std::map<std::pair<double, double>, std::vector<PointRow>> byTime, byPlace;
    for (const PointRow &r : reference().points) {
        byTime[{r.bi, r.fo}].push_back(r);
        byPlace[{r.bi, r.x}].push_back(r);
    }
    for (const bool profile : {true, false}) {
        for (const auto &[key, rows] : profile ? byTime : byPlace) {
            const WallSolution wall(key.first);
            std::vector<double> inputs, out(rows.size());
            for (const PointRow &r : rows)
                inputs.push_back(profile ? r.x : r.fo);
            if (profile)
                wall.thetaProfile(inputs, key.second, out);
            else
                wall.thetaHistory(key.second, inputs, out);
            for (std::size_t i = 0; i < rows.size(); ++i) {
                const PointRow &r = rows[i];
                const double relative = r.fo >= 0.2 && r.theta >= 1e-300 ? 2e-13 : 0;
                EXPECT_TRUE(near(out[i], r.theta, relative > 0 ? 0 : 1e-15, relative))
                    << where(r.bi, r.x, r.fo) << (profile ? " profile" : " history");
            }
        }
    }
}

// The limits a front end meets: the start, the end, a wall that exchanges nothing, one held at
// the fluid's temperature, and the lumped value.
TEST(ExactSolution, LimitsAndDomain)
{
    for (const double bi : {0.0, 1e-6, 1.0, 1e300, kInf}) {
        const WallSolution wall(bi);
        EXPECT_EQ(wall.theta(1, 0), 1) << bi;
        EXPECT_EQ(wall.energyRatio(0), 0) << bi;
        EXPECT_EQ(wall.meanTheta(0), 1) << bi;
        EXPECT_EQ(wall.surfaceFlux(0), bi) << bi;
        EXPECT_EQ(wall.theta(0.5, kInf), bi == 0 ? 1 : 0) << bi;
        EXPECT_EQ(wall.energyRatio(kInf), bi == 0 ? 0 : 1) << bi;
        EXPECT_EQ(wall.lumpedTheta(2), std::exp(-2 * bi)) << bi;
        EXPECT_EQ(wall.lumpedTheta(kInf), bi == 0 ? 1 : 0) << bi;
    }
    const WallSolution held(kInf);
    for (const double fo : {1e-6, 0.01, 0.1, 1.0}) {
        EXPECT_EQ(held.theta(1, fo), 0) << fo;
        // Q/Q0 = 2√(Fo/π) of a semi-infinite solid held at T∞, and the flux 1/√(πFo).
        if (fo < 0.01) {
            EXPECT_NEAR(held.energyRatio(fo), 2 * std::sqrt(fo / std::numbers::pi), 1e-16);
            EXPECT_NEAR(held.surfaceFlux(fo), 1 / std::sqrt(std::numbers::pi * fo),
                        1e-15 / std::sqrt(fo));
        }
    }
    EXPECT_THROW(WallSolution(-1e-300), std::domain_error);
    EXPECT_THROW(WallSolution(NAN), std::domain_error);
    const WallSolution wall(1);
    for (const auto &[x, fo] : std::vector<std::pair<double, double>>{
             {-1e-300, 1}, {1.0000000000000002, 1}, {NAN, 1}, {0.5, -1e-300}, {0.5, NAN}}) {
        EXPECT_THROW(wall.theta(x, fo), std::domain_error) << x << " " << fo;
        EXPECT_THROW(wall.deficit(x, fo), std::domain_error) << x << " " << fo;
    }
    EXPECT_THROW(wall.energyRatio(NAN), std::domain_error);
    EXPECT_THROW(wall.surfaceFlux(-1), std::domain_error);
}

} // namespace

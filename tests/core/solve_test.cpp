// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// Solving for Fo and Bi against answers found with mpmath's findroot on the series and on the
// semi-infinite solid at 40 digits (the script is in the comment of each row's source).

#include "problem.h"
#include "solve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace planewall;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct SolveCase
{
    const char *name;
    bool forBi; // else for Fo
    double given; // Bi when solving for Fo, Fo when solving for Bi
    Where where;
    double theta;
    double expected;
};

// Each answer lies within its own reported error of the reference (the error is honest), and
// that error is below 1e-10 (the answer is as good as asked) for these well-posed targets,
// near the initial temperature, near the fluid's, on the mean, and at a face in the early
// semi-infinite regime.
TEST(Solve, FindsTheReferenceAnswersWithinTheirReportedError)
{
    const SolveCase cases[] = {
        {"centre to one half", false, 1, {false, 0}, 0.5, 1.0885276149537384},
        {"centre barely moved", false, 1, {false, 0}, 0.999999, 0.025873792760075987},
        {"far along, 1e-250", false, 1, {false, 0.5}, 1e-250, 777.74062879086094},
        {"mean of a thin wall, 1e-10", false, 0.1, {true, 0}, 1e-10, 237.98157109588456},
        {"face at Bi 1000, early", false, 1000, {false, 1}, 0.01, 0.0031820990973341076},
        {"Bi for the centre at 0.9", true, 0.3, {false, 0}, 0.9, 0.90110198138474949},
        {"Bi for the mean at 0.999", true, 0.3, {true, 0}, 0.999, 0.0033379270961247818},
        {"Bi for the face, early", true, 1e-4, {false, 1}, 0.5, 76.907977106131421},
    };
    for (const SolveCase &c : cases) {
        const Target target = Target::fromTheta(c.theta);
        const Solved s = c.forBi ? solveBiot(c.given, c.where, target)
                                 : solveFourier(WallSolution(c.given), c.where, target);
        const double error = std::fabs(s.value - c.expected) / c.expected;
        EXPECT_LE(error, s.relError + 1e-15) << c.name << ": " << s.value;
        EXPECT_LT(s.relError, 1e-10) << c.name;
        EXPECT_GT(s.relError, 0) << c.name;
    }
}

TEST(Solve, SaysWhyATargetCannotBeReached)
{
    const struct
    {
        const char *name;
        bool forBi;
        double given;
        Where where;
        Target target;
        Unreachable reason;
    } cases[] = {
        {"no exchange", false, 0, {false, 0}, Target::fromTheta(0.5), Unreachable::NoExchange},
        {"the start itself", false, 1, {false, 0}, {1, 0}, Unreachable::AtStart},
        {"beyond the start", false, 1, {true, 0}, {1.1, -0.1}, Unreachable::WrongSide},
        {"the fluid's temperature",
         false,
         1,
         {false, 0},
         Target::fromTheta(0),
         Unreachable::NeverReached},
        {"beyond the fluid's",
         false,
         1,
         {false, 1},
         Target::fromTheta(-0.2),
         Unreachable::NeverReached},
        {"no time", true, 0, {false, 0}, Target::fromTheta(0.5), Unreachable::NoTime},
        {"beyond the start, for Bi", true, 1, {false, 0}, {1.5, -0.5}, Unreachable::WrongSide},
        // Bi -> inf leaves θ*(0, 0.3) = 0.60680 (the first terms of the series for a held face).
        {"beyond what Bi -> inf gives",
         true,
         0.3,
         {false, 0},
         Target::fromTheta(0.6),
         Unreachable::BeyondLimit},
    };
    for (const auto &c : cases) {
        try {
            if (c.forBi)
                solveBiot(c.given, c.where, c.target);
            else
                solveFourier(WallSolution(c.given), c.where, c.target);
            ADD_FAILURE() << c.name << ": solved";
        } catch (const UnreachableTarget &e) {
            EXPECT_EQ(e.reason(), c.reason) << c.name;
        }
    }
    try {
        solveBiot(0.3, {false, 0}, Target::fromTheta(0.6));
    } catch (const UnreachableTarget &e) {
        EXPECT_NEAR(e.limit(), 0.6068038172, 1e-9);
    }
    // A face held at the fluid's temperature is there at once.
    const Solved atOnce = solveFourier(WallSolution(kInf), {false, 1}, Target::fromTheta(0.5));
    EXPECT_EQ(atOnce.value, 0);
    EXPECT_EQ(atOnce.relError, 0);
}

// Just short of the limit h -> inf the answer is ill-conditioned: it comes with an error that
// says so rather than a wrong digit count.
TEST(Solve, ReportsTheAccuracyItCanReachNearTheLimit)
{
    const double limit = WallSolution(kInf).theta(0, 0.3);
    const Solved s = solveBiot(0.3, {false, 0}, Target::fromTheta(limit * (1 + 1e-9)));
    EXPECT_GT(s.value, 1e5);
    EXPECT_GT(s.relError, 1e-10);
    const double reached = WallSolution(s.value).theta(0, 0.3);
    EXPECT_NEAR(reached / limit - 1, 1e-9, 1e-12);

    // Closer still, at the centre for Fo = 1, where h -> inf gives θ* = 0.10797704444411:
    // an answer within its reported error of mpmath's (60 digits), and an error no larger than
    // the conditioning says (|dp/p| = error of ln θ* / |d ln θ*/d ln Bi|), up to where the
    // target cannot be told from the limit at all.
    const struct
    {
        double theta, bi, mostError;
    } near[] = {
        {0.10797705, 95906373.614807066, 1e-7},
        {0.107977044445, 598039752279.78173, 1e-3},
        {0.1079770444445, 1362822851455.9863, 2e-3},
        {0.1079770444443, 2789963270388.9742, 1e-2},
    };
    for (const auto &n : near) {
        const Solved close = solveBiot(1, {false, 0}, Target::fromTheta(n.theta));
        EXPECT_LE(std::fabs(close.value / n.bi - 1), close.relError) << n.theta;
        EXPECT_LT(close.relError, n.mostError) << n.theta;
    }
    try {
        solveBiot(1, {false, 0}, Target::fromTheta(0.10797704444410905));
        ADD_FAILURE() << "solved within rounding of the limit";
    } catch (const UnreachableTarget &e) {
        EXPECT_EQ(e.reason(), Unreachable::WithinLimitAccuracy);
    }
}

// The dimensional layer: real units in, through θ*, back out.
TEST(Problem, ConvertsBetweenRealUnitsAndTheDimensionlessSolution)
{
    // Brass: L 20 mm, k 110, ρ 8530, c_p 380; h 120; Ti 20 °C, T∞ 500 °C.
    const Problem brass(makeWall(0.02, 110, std::nullopt, 8530, 380), 120, 20, 500, "C");
    EXPECT_DOUBLE_EQ(brass.bi(), 120 * 0.02 / 110);
    EXPECT_DOUBLE_EQ(brass.fourier(420), 110 / (8530.0 * 380) * 420 / (0.02 * 0.02));
    EXPECT_DOUBLE_EQ(brass.time(brass.fourier(420)), 420);
    EXPECT_EQ(brass.xStar(0.02 + 1e-18), 1); // a face one ulp beyond L is the face
    EXPECT_THROW(brass.xStar(0.0201), InputError);
    EXPECT_DOUBLE_EQ(*brass.initialEnergy(), 8530 * 380 * 0.02 * (20 - 500.0));

    const EnergyResult heated = energyResult(brass, 420);
    EXPECT_LT(heated.flux, 0) << "heat flows into a wall colder than its fluid";
    EXPECT_LT(*heated.energy, 0);
    // q_s = h·(T_s - T∞) at the face.
    const PointResult face = pointResult(brass, 0.02, 420);
    EXPECT_NEAR(heated.flux, 120 * (face.temperature - 500), 1e-9 * std::fabs(heated.flux));
    EXPECT_NEAR(face.temperature, 279.76430920417033, 1e-9); // verify_cases.py

    // In °F a degree is 5/9 of a kelvin: the same wall, the same physics, the energy in joules.
    const Problem fahrenheit(makeWall(0.02, 110, std::nullopt, 8530, 380), 120, 68, 932, "F");
    EXPECT_NEAR(*fahrenheit.initialEnergy(), *brass.initialEnergy(), 1e-6);
    EXPECT_NEAR(energyResult(fahrenheit, 420).flux, heated.flux, 1e-9 * std::fabs(heated.flux));

    // A target just short of Ti keeps its digits in the deficit (1 - θ* would lose half).
    const Target near = brass.target(20 + 0x1p-20);
    EXPECT_NEAR(near.deficit, 0x1p-20 / 480, 1e-15 * (0x1p-20 / 480));
    EXPECT_THROW(Problem(makeWall(1, 1, 1, {}, {}), 0, 5, 5).target(3), UnreachableTarget);
    EXPECT_THROW(makeWall(1, 1, std::nullopt, 1000, std::nullopt), InputError);
    EXPECT_EQ(formatTemperature(-0.0, "C"), "0 \u00B0C");
    EXPECT_EQ(formatTemperature(300, "K"), "300 K");
    EXPECT_EQ(formatTemperature(550, ""), "550");
}

} // namespace

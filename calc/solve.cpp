// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "solve.h"

#include <boost/math/tools/toms748_solve.hpp>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <numeric>
#include <stdexcept>
#include <string>
#include <tuple>

namespace planewall {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// How far θ* can be trusted, as the solver sees it: 1 - θ* to 1e-15 absolute and 1e-14
// relative; ln θ* to 2e-15 plus the rounding of the exponent ζ1²Fo, which is about -ln θ*.
double deficitError(double deficit)
{
    return 1e-15 + 1e-14 * std::fabs(deficit);
}

double logError(double logTheta)
{
    return 2e-15 + 4e-16 * std::fabs(logTheta);
}

std::string unreachableText(Unreachable reason)
{
    switch (reason) {
    case Unreachable::NoDifference:
        return "the initial temperature is the fluid's: nothing ever changes";
    case Unreachable::NoExchange:
        return "no heat is exchanged: the wall keeps its initial temperature";
    case Unreachable::AtStart:
        return "the target is the initial temperature";
    case Unreachable::WrongSide:
        return "the target lies beyond the initial temperature, away from the fluid's";
    case Unreachable::NeverReached:
        return "the wall only tends to the fluid's temperature";
    case Unreachable::NoTime:
        return "no time has passed";
    case Unreachable::BeyondLimit:
        return "even an infinite heat transfer coefficient does not reach it by then";
    case Unreachable::WithinLimitAccuracy:
        break;
    }
    return "the target is closer to what an infinite heat transfer coefficient gives than the "
           "solution can tell apart";
}

// One side of the equation to solve, with its sense and how well it is known.
struct Equation
{
    std::function<double(double)> f; // rises or falls through 0 at the answer
    bool rising;
    double error; // the accuracy of f's values near the answer
};

// For a θ* that falls as p grows: the deficit 1 - θ* near the initial temperature, where θ*
// itself is flat at 1 in double precision; ln θ* nearer the fluid's, where θ* can underflow.
Equation equationFor(Target target, std::function<double(double)> deficit,
                     std::function<double(double)> logTheta)
{
    if (target.theta >= 0.5) {
        return {[deficit, target](double p) { return deficit(p) - target.deficit; }, true,
                deficitError(target.deficit)};
    }
    const double logTarget = std::log(target.theta);
    return {[logTheta, logTarget](double p) { return logTheta(p) - logTarget; }, false,
            logError(logTarget)};
}

// The root of a monotonic equation in p > 0: an explicit bracket, found by stepping from the
// guess by factors of 4 within the positive doubles, then TOMS 748 down to adjacent doubles.
// Without a sign change in the doubles: +inf, or 0 when the root lies below the smallest one,
// with an error that says the value is not known.
Solved solveMonotonic(const Equation &e, double guess)
{
    // Which side of the root p lies on: below it f has the sign opposite to its sense.
    const auto below = [&e](double value) { return e.rising ? value < 0 : value > 0; };
    double low = guess, high = guess;
    double fLow = e.f(low), fHigh = fLow;
    if (fLow != 0 && below(fLow)) {
        // Walk up until f changes sign; the largest double is as far as a double answer goes.
        while (below(fHigh)) {
            if (high == DBL_MAX)
                return {kInfinity, kInfinity};
            low = high;
            fLow = fHigh;
            high = high > DBL_MAX / 4 ? DBL_MAX : high * 4;
            fHigh = e.f(high);
        }
    } else {
        while (fLow != 0 && !below(fLow)) {
            if (low == DBL_TRUE_MIN)
                return {0, 1};
            high = low;
            fHigh = fLow;
            low = std::max(low / 4, DBL_TRUE_MIN);
            fLow = e.f(low);
        }
    }

    double a = low, b = high;
    if (fLow == 0) {
        b = low;
    } else if (fHigh == 0) {
        a = high;
    } else {
        std::uintmax_t iterations = 200; // TOMS 748 needs a few dozen at most
        std::tie(a, b) = boost::math::tools::toms748_solve(
            e.f, low, high, fLow, fHigh, boost::math::tools::eps_tolerance<double>(), iterations);
    }
    const double p = std::midpoint(a, b);
    // The answer moves by the error of f over its slope: |dp/p| = error / |df/d ln p|. The
    // slope is a central difference in ln p whose step widens until the difference stands clear
    // of f's own error: where f is nearly flat (close to the limit h -> inf) a narrow step sees
    // only rounding, a slope of 0 or of one ulp over the step, and the error would be infinite
    // or far too small.
    double slope = 0;
    for (double step = 1e-6; step < 0.1; step *= 16) {
        const double difference = std::fabs(e.f(p * (1 + step)) - e.f(p * (1 - step)));
        slope = difference / (2 * step);
        if (difference > 100 * e.error)
            break;
    }
    const double fromSolution = slope > 0 ? e.error / slope : kInfinity;
    return {p, std::max((b - a) / p, fromSolution)};
}

void requireTarget(Target target)
{
    if (std::isnan(target.theta) || std::isnan(target.deficit))
        throw std::domain_error("the target must be a number");
}

} // namespace

UnreachableTarget::UnreachableTarget(Unreachable reason, double limit)
    : std::runtime_error(unreachableText(reason)), m_reason(reason), m_limit(limit)
{ }

double thetaAt(const WallSolution &wall, Where where, double fo)
{
    return where.mean ? wall.meanTheta(fo) : wall.theta(where.x, fo);
}

Solved solveFourier(const WallSolution &wall, Where where, Target target)
{
    requireTarget(target);
    if (!where.mean && !(where.x >= 0 && where.x <= 1))
        throw std::domain_error("x* must lie in [0, 1]");
    if (target.deficit == 0)
        throw UnreachableTarget(Unreachable::AtStart);
    if (target.deficit < 0)
        throw UnreachableTarget(Unreachable::WrongSide);
    if (wall.bi() == 0)
        throw UnreachableTarget(Unreachable::NoExchange);
    if (target.theta <= 0)
        throw UnreachableTarget(Unreachable::NeverReached);
    // A face held at the fluid's temperature is there from the first instant.
    if (!where.mean && where.x == 1 && std::isinf(wall.bi()))
        return {0, 0};

    const Equation e = equationFor(
        target,
        [&](double fo) { return where.mean ? wall.energyRatio(fo) : wall.deficit(where.x, fo); },
        [&](double fo) { return where.mean ? wall.logMeanTheta(fo) : wall.logTheta(where.x, fo); });
    // The first term alone, θ* ≈ C1·X·exp(-ζ1²Fo), is close to the answer once Fo > 0.2.
    const SeriesTerm first = seriesTerm(wall.bi(), 1);
    const double shape = where.mean ? first.sinOverZeta : std::cos(first.zeta * where.x);
    const double oneTerm = std::log(first.c * shape / target.theta) / (first.zeta * first.zeta);
    const double guess = std::isfinite(oneTerm) && oneTerm > 0.2 ? oneTerm : 0.1;
    const Solved solved = solveMonotonic(e, guess);
    if (std::isinf(solved.value))
        throw std::range_error("the time is beyond the range of numbers");
    return solved;
}

Solved solveBiot(double fo, Where where, Target target)
{
    requireTarget(target);
    if (!(fo >= 0) || std::isinf(fo))
        throw std::domain_error("Fo must be finite and >= 0");
    if (!where.mean && !(where.x >= 0 && where.x <= 1))
        throw std::domain_error("x* must lie in [0, 1]");
    if (target.deficit == 0)
        throw UnreachableTarget(Unreachable::AtStart);
    if (target.deficit < 0)
        throw UnreachableTarget(Unreachable::WrongSide);
    if (fo == 0)
        throw UnreachableTarget(Unreachable::NoTime);
    const double limit = thetaAt(WallSolution(kInfinity), where, fo);
    if (target.theta <= limit)
        throw UnreachableTarget(Unreachable::BeyondLimit, limit);

    const Equation e = equationFor(
        target,
        [&](double bi) {
            const WallSolution wall(bi);
            return where.mean ? wall.energyRatio(fo) : wall.deficit(where.x, fo);
        },
        [&](double bi) {
            const WallSolution wall(bi);
            return where.mean ? wall.logMeanTheta(fo) : wall.logTheta(where.x, fo);
        });
    const Solved solved = solveMonotonic(e, 1);
    if (std::isinf(solved.value) || solved.relError > 1)
        throw UnreachableTarget(Unreachable::WithinLimitAccuracy, limit);
    return solved;
}

} // namespace planewall

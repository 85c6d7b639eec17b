// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "exact_solution.h"

#include <stdexcept>

namespace planewall {

// Where a target temperature is asked for: at a point x* or on the mean over the wall.
struct Where
{
    bool mean = false;
    double x = 0; // x*, when not the mean
};

// A target temperature as θ* = (T - T∞)/(Ti - T∞) and as its deficit 1 - θ* = (Ti - T)/(Ti - T∞),
// each computed from the temperatures by whoever has them, so that a target close to Ti keeps
// the digits that 1 - θ* would lose.
struct Target
{
    double theta;
    double deficit;

    static Target fromTheta(double theta) { return {theta, 1 - theta}; }
};

// An answer and how far it can be trusted: the relative error from the bracket the solver
// ended with and from the accuracy of the solution it solved, through the slope there. Below
// 1e-10 wherever the problem's conditioning allows.
struct Solved
{
    double value;
    double relError;
};

// Why a target cannot be reached.
enum class Unreachable {
    NoDifference, // Ti = T∞: nothing ever changes
    NoExchange, // Bi = 0: the wall keeps its initial temperature
    AtStart, // the target is the initial temperature itself
    WrongSide, // beyond the initial temperature, away from the fluid's
    NeverReached, // at or beyond the fluid's temperature, which the wall only tends to
    NoTime, // Fo = 0: no time has passed for any h to act
    BeyondLimit, // even Bi -> inf does not bring the point there by then
    WithinLimitAccuracy, // closer to the Bi -> inf limit than the solution can tell apart
};

class UnreachableTarget : public std::runtime_error
{
public:
    // `limit`: for BeyondLimit and WithinLimitAccuracy, the θ* that Bi -> inf gives by then.
    UnreachableTarget(Unreachable reason, double limit = 0);

    Unreachable reason() const noexcept { return m_reason; }
    double limit() const noexcept { return m_limit; }

private:
    Unreachable m_reason;
    double m_limit;
};

// For Bi > 0, θ* falls strictly with Fo at every x* (and on the mean), from 1 towards 0: the Fo
// at which it reaches the target, for 0 < θ* < 1; UnreachableTarget otherwise.
Solved solveFourier(const WallSolution &wall, Where where, Target target);

// For Fo > 0, θ* falls strictly with Bi, from 1 at Bi = 0 towards its value for Bi -> inf: the Bi
// that brings it to the target by that Fo; UnreachableTarget otherwise.
Solved solveBiot(double fo, Where where, Target target);

// θ* at the point or the mean.
double thetaAt(const WallSolution &wall, Where where, double fo);

} // namespace planewall
